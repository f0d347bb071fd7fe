#include "settings/frm_set.h"

#include <span>
#include <string>

namespace settings {

frmSet::frmSet(const SettingsFormControls& controls, const SettingsFormServices& services,
               launcher::SharedState& shared)
    : form_(controls.form),
      lstIPath(controls.lstIPath),
      lstRPath(controls.lstRPath),
      txtIPath(controls.txtIPath),
      txtRPath(controls.txtRPath),
      cmdAdd(controls.cmdAdd),
      cmdDel(controls.cmdDel),
      cmdEdit(controls.cmdEdit),
      cmdSet(controls.cmdSet),
      cmdCancel(controls.cmdCancel),
      hHotKey(controls.hotKey),
      environment_(services.environment),
      settings_(services.settings),
      messageBoxes_(services.messageBoxes),
      fileDialog_(services.fileDialog),
      shared_(shared) {
  lstIPath.Click = [this] { lstIPath_Click(); };
}

void frmSet::Form_Load() {
  hHotKey.Create();

  // The same form object serves every opening, so nothing of an earlier
  // one may survive: everything below comes from the file or its defaults.
  OldHotKey_ = core::kDefaultHotKey;
  StoredCount_ = 0;
  NewHotKey_ = 0;
  ItemCount_ = 0;
  IPath_.assign(1, L"");
  RPath_.assign(1, L"");
  lstIPath.Clear();
  lstRPath.Clear();
  txtIPath.SetText(L"");
  txtRPath.SetText(L"");

  // A file whose name differs only in letter case counts as missing.
  const bool present =
      settings_.Files().FileExistsExactName(environment_.ProgramFolder(), core::kSettingsFileName);
  if (present) {
    const core::ProfileFile file = settings_.Load();
    OldHotKey_ = core::ParseHotKey(file.GetString(core::kSection, core::kHotKeyKey, L"123"));
    StoredCount_ =
        core::ParseTotalNumber(file.GetString(core::kSection, core::kTotalNumberKey, L"0"));
    IPath_.reserve(static_cast<std::size_t>(StoredCount_) + 1);
    RPath_.reserve(static_cast<std::size_t>(StoredCount_) + 1);
    for (int i = 1; i <= StoredCount_; ++i) {
      IPath_.push_back(file.GetString(core::kSection, core::ShortNameKey(i), L""));
      RPath_.push_back(file.GetString(core::kSection, core::RealPathKey(i), L""));
    }
    ItemCount_ = StoredCount_;
    lstIPath.AddItems(std::span(IPath_).subspan(1));
    lstRPath.AddItems(std::span(RPath_).subspan(1));
  }
  hHotKey.SetHotKey(OldHotKey_);
  if (ItemCount_ > 0) {
    lstIPath.SetListIndex(0);  // its click puts lstRPath on the same entry
    lstRPath.SetListIndex(0);
  }
  EnableButtons(true);
}

void frmSet::cmdSet_Click() {
  NewHotKey_ = hHotKey.GetHotKey();
  if (NewHotKey_ == 0) {
    Warn(kNoHotKeyMessage);
    return;
  }
  if (!SaveSettings()) return;
  shared_.SettingsEffect =
      NewHotKey_ == OldHotKey_ ? launcher::kEffected : launcher::kEffectedWithHotKey;
  form_.Unload();
}

void frmSet::cmdCancel_Click() { form_.Unload(); }

void frmSet::Form_QueryUnload() { hHotKey.Destroy(); }

void frmSet::picHotkey_GotFocus() { hHotKey.SetFocus(); }

void frmSet::EnableButtons(bool enabled) {
  cmdSet.SetEnabled(enabled);
  cmdCancel.SetEnabled(enabled);
  cmdAdd.SetEnabled(enabled);
  cmdDel.SetEnabled(enabled);
  cmdEdit.SetEnabled(enabled);
  if (ItemCount_ == 0) {
    cmdDel.SetEnabled(false);
    cmdEdit.SetEnabled(false);
  }
}

bool frmSet::SaveSettings() {
  // The file as it is now, so that its other keys and sections stay as
  // they are.
  core::ProfileFile file = settings_.Load();
  bool ok = true;
  // A file that exists but cannot be read must not be replaced by a
  // document holding only our keys.
  if (file.Serialize().empty()) {
    core::FileAccess& files = settings_.Files();
    ok = files.ReadFile(settings_.Path()).has_value() ||
         !files.FileExistsExactName(environment_.ProgramFolder(), core::kSettingsFileName);
  }
  // Set refuses a value the file cannot hold (a line break, a NUL); then
  // nothing at all is written.
  auto set = [&](const std::wstring& key, const std::wstring& value) {
    ok = ok && file.Set(core::kSection, key, value);
  };
  set(core::kHotKeyKey, std::to_wstring(NewHotKey_));
  set(core::kTotalNumberKey, std::to_wstring(ItemCount_));
  for (int i = 1; i <= ItemCount_; ++i) {
    set(core::ShortNameKey(i), IPath_[static_cast<std::size_t>(i)]);
    set(core::RealPathKey(i), RPath_[static_cast<std::size_t>(i)]);
  }
  // Entries a shorter list no longer uses are blanked, never deleted.
  for (int i = ItemCount_ + 1; i <= StoredCount_; ++i) {
    set(core::ShortNameKey(i), L"");
    set(core::RealPathKey(i), L"");
  }
  ok = ok && settings_.Save(file);
  if (!ok) Warn(std::wstring(kSaveFailedMessage) + L"\r\n" + settings_.Path());
  return ok;
}

std::wstring frmSet::ZeroCut(std::wstring& text) {
  const std::size_t limit = text.size() < 255 ? text.size() : 255;
  for (std::size_t i = 0; i < limit; ++i) {
    if (text[i] == L'\0') {
      text.resize(i);
      break;
    }
  }
  return text;
}

void frmSet::Warn(const std::wstring& text) {
  messageBoxes_.Show(text, kAppTitle, platform::kMbOk | platform::kMbIconExclamation);
}

}  // namespace settings
