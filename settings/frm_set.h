// The settings window: edits the alias list and the hot key on a working
// copy, and writes the settings file only on apply. Written against the
// control interfaces, so the same class runs over real controls and fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/event_bindings.h"
#include "platform/services.h"
#include "platform/settings_controls.h"

namespace settings {

inline constexpr wchar_t kAppTitle[] = L"Mirabelton";
inline constexpr wchar_t kNoHotKeyMessage[] = L"ホットキーが設定されていません";
inline constexpr wchar_t kFieldsMissingMessage[] =
    L"短縮名、実在パス名のいずれか、もしくは両方が入力されていません";
inline constexpr wchar_t kDeleteQuestion[] = L"本当に登録を削除してもいいですか？";
inline constexpr wchar_t kSaveFailedMessage[] = L"設定ファイルに書き込めませんでした";
// The settings file keeps one value a line, so a line break cannot be saved.
inline constexpr wchar_t kShortNameRefusedMessage[] = L"短縮名に改行を含めることはできません";
inline constexpr wchar_t kRealPathRefusedMessage[] = L"実在パス名に改行を含めることはできません";
inline constexpr wchar_t kListFullMessage[] =
    L"登録できるのは32767件までです。これ以上追加できません";

struct SettingsFormControls {
  platform::ModalWindow& form;
  platform::ListBox& lstIPath;
  platform::ListBox& lstRPath;  // hidden; real paths parallel to lstIPath
  platform::TextBox& txtIPath;
  platform::TextBox& txtRPath;
  platform::Button& cmdAdd;
  platform::Button& cmdDel;
  platform::Button& cmdEdit;
  platform::Button& cmdSet;
  platform::Button& cmdCancel;
  platform::Button& cmdDialog;
  platform::Panel& picHotkey;      // takes the focus by tabbing, for hHotKey
  platform::HotKeyField& hHotKey;  // the field inside picHotkey
};

struct SettingsFormServices {
  core::SettingsStore& settings;
  platform::MessageBoxes& messageBoxes;
  platform::FileDialog& fileDialog;
};

// The form is its controls and its services: it inherits both structs, so
// that the handlers name each control as the window's design does
// (lstIPath), and no member-by-member copy has to follow the structs.
class frmSet : private SettingsFormControls, private SettingsFormServices {
 public:
  frmSet(const SettingsFormControls& controls, const SettingsFormServices& services,
         core::SharedState& shared);
  frmSet(const frmSet&) = delete;
  frmSet& operator=(const frmSet&) = delete;

  // Load, apply and close
  void Form_Load();
  void cmdSet_Click();
  void cmdCancel_Click();
  void Form_QueryUnload();
  void picHotkey_GotFocus();
  void EnableButtons(bool enabled);
  // Writes the working list and NewHotKey as one replacement of the file.
  // On failure the user is warned (about the value when the file cannot
  // hold it), the file stays as it was, and false is returned so that the
  // window stays open with every edit.
  bool SaveSettings();

  // List editing
  void cmdAdd_Click();
  void cmdEdit_Click();
  void cmdDel_Click();
  void lstIPath_Click();
  void lstIPath_DblClick();

  // Browsing and dropping: the drag-over handlers return the drop effect
  // (copy for a file list, none otherwise); a drop brings the file list (empty when the data
  // holds none).
  void cmdDialog_Click();
  int txtIPath_OLEDragOver(bool offersFiles) const { return DropEffect(offersFiles); }
  int txtRPath_OLEDragOver(bool offersFiles) const { return DropEffect(offersFiles); }
  void txtIPath_OLEDragDrop(const std::vector<std::wstring>& files) { TakeDroppedPath(files); }
  void txtRPath_OLEDragDrop(const std::vector<std::wstring>& files) { TakeDroppedPath(files); }
  void txtIPath_DblClick() { txtIPath.SetText(L""); }
  void txtRPath_DblClick() { txtRPath.SetText(L""); }

  // State, read by the platform layer and by tests. IPath and RPath count
  // from 1; index 0 stays empty.
  std::int32_t OldHotKey() const { return OldHotKey_; }
  int StoredCount() const { return StoredCount_; }
  std::int32_t NewHotKey() const { return NewHotKey_; }
  int ItemCount() const { return ItemCount_; }
  const std::vector<std::wstring>& IPath() const { return IPath_; }
  const std::vector<std::wstring>& RPath() const { return RPath_; }

 private:
  static int DropEffect(bool offersFiles) {
    return offersFiles ? platform::kDropEffectCopy : platform::kDropEffectNone;
  }
  void TakeDroppedPath(const std::vector<std::wstring>& files);
  void ProposeShortName(const std::wstring& path);
  bool FieldsFilled();
  void KeepFocusAfter(platform::Button& pressed);
  void Warn(const std::wstring& text);

  core::SharedState& shared_;

  std::int32_t OldHotKey_ = core::kDefaultHotKey;
  int StoredCount_ = 0;
  std::int32_t NewHotKey_ = 0;
  int ItemCount_ = 0;
  std::vector<std::wstring> IPath_{L""};
  std::vector<std::wstring> RPath_{L""};
  // Last, so that the events are let go before anything they reach.
  platform::EventBindings bindings_;
};

}  // namespace settings
