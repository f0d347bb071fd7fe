#include "settings/frm_set.h"

#include <iterator>
#include <span>
#include <string>
#include <utility>

#include "core/decimal_text.h"

namespace settings {

namespace {

// A refused value on one line: each line break (or NUL) in it shows as "↵".
std::wstring ShowLineBreaks(const std::wstring& value) {
  std::wstring shown;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const wchar_t c = value[i];
    if (c == L'\r' && i + 1 < value.size() && value[i + 1] == L'\n') continue;
    shown += c == L'\r' || c == L'\n' || c == L'\0' ? L'↵' : c;
  }
  return shown;
}

}  // namespace

frmSet::frmSet(const SettingsFormControls& controls, const SettingsFormServices& services,
               core::SharedState& shared)
    : SettingsFormControls(controls), SettingsFormServices(services), shared_(shared) {
  auto& bind = bindings_;
  bind.Bind(form.QueryUnload, this, &frmSet::Form_QueryUnload);
  bind.Bind(lstIPath.Click, this, &frmSet::lstIPath_Click);
  bind.Bind(lstIPath.DblClick, this, &frmSet::lstIPath_DblClick);
  bind.Bind(txtIPath.DblClick, this, &frmSet::txtIPath_DblClick);
  bind.Bind(txtRPath.DblClick, this, &frmSet::txtRPath_DblClick);
  bind.Bind(txtIPath.OLEDragOver, this, &frmSet::txtIPath_OLEDragOver);
  bind.Bind(txtRPath.OLEDragOver, this, &frmSet::txtRPath_OLEDragOver);
  bind.Bind(txtIPath.OLEDragDrop, this, &frmSet::txtIPath_OLEDragDrop);
  bind.Bind(txtRPath.OLEDragDrop, this, &frmSet::txtRPath_OLEDragDrop);
  bind.Bind(cmdAdd.Click, this, &frmSet::cmdAdd_Click);
  bind.Bind(cmdEdit.Click, this, &frmSet::cmdEdit_Click);
  bind.Bind(cmdDel.Click, this, &frmSet::cmdDel_Click);
  bind.Bind(cmdDialog.Click, this, &frmSet::cmdDialog_Click);
  bind.Bind(cmdSet.Click, this, &frmSet::cmdSet_Click);
  bind.Bind(cmdCancel.Click, this, &frmSet::cmdCancel_Click);
  bind.Bind(picHotkey.GotFocus, this, &frmSet::picHotkey_GotFocus);
}

void frmSet::Form_Load() {
  hHotKey.Create();

  // The same form object serves every opening, and each opening starts from
  // the file alone: everything below comes from the file or its defaults.
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
  if (settings.Exists()) {
    core::AliasTable table = core::ReadAliasTable(settings.Load());
    OldHotKey_ = table.hotKeyValue;
    StoredCount_ = static_cast<int>(table.shortNames.size());
    IPath_.insert(IPath_.end(), std::make_move_iterator(table.shortNames.begin()),
                  std::make_move_iterator(table.shortNames.end()));
    RPath_ = std::move(table.realPaths);
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
  shared_.SettingsEffect = NewHotKey_ == OldHotKey_ ? core::kEffected : core::kEffectedWithHotKey;
  form.Unload();
}

void frmSet::cmdCancel_Click() { form.Unload(); }

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
  std::wstring refusal;  // names the value the file cannot hold
  const core::UpdateResult result = settings.Update([&](core::ProfileFile& file) {
    // Numbers and empty values are never refused.
    file.Set(core::kSection, core::kHotKeyKey, core::DecimalText(NewHotKey_));
    file.Set(core::kSection, core::kTotalNumberKey, core::DecimalText(ItemCount_));
    for (int i = 1; i <= ItemCount_; ++i) {
      const std::wstring& shortName = IPath_[static_cast<std::size_t>(i)];
      const std::wstring& realPath = RPath_[static_cast<std::size_t>(i)];
      if (!file.Set(core::kSection, core::ShortNameKey(i), shortName)) {
        refusal = kShortNameRefusedMessage + (L"\r\n「" + ShowLineBreaks(shortName) + L"」");
        return false;
      }
      if (!file.Set(core::kSection, core::RealPathKey(i), realPath)) {
        refusal = kRealPathRefusedMessage + (L"\r\n「" + ShowLineBreaks(realPath) + L"」");
        return false;
      }
    }
    // Entries a shorter list no longer uses are blanked, never deleted.
    for (int i = ItemCount_ + 1; i <= StoredCount_; ++i) {
      file.Set(core::kSection, core::ShortNameKey(i), L"");
      file.Set(core::kSection, core::RealPathKey(i), L"");
    }
    return true;
  });
  switch (result) {
    case core::UpdateResult::kSaved:
      return true;
    case core::UpdateResult::kRefused:
      Warn(refusal);
      return false;
    case core::UpdateResult::kUnreadable:
    case core::UpdateResult::kWriteFailed:
      break;
  }
  Warn(std::wstring(kSaveFailedMessage) + L"\r\n" + settings.Path());
  return false;
}

void frmSet::Warn(const std::wstring& text) {
  messageBoxes.Show(text, kAppTitle, platform::kMbOk | platform::kMbIconExclamation);
}

}  // namespace settings
