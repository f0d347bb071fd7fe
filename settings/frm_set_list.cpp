// Editing the alias list. The two list boxes and the working arrays agree
// position by position after every handler here: item p of lstIPath is
// IPath(p + 1), item p of lstRPath is RPath(p + 1), and both lists have the
// same selected position.
#include <cstddef>

#include "settings/frm_set.h"

namespace settings {

bool frmSet::FieldsFilled() {
  // Only the empty string counts as missing: blanks are a name like any.
  if (txtIPath.Text().empty() || txtRPath.Text().empty()) {
    Warn(kFieldsMissingMessage);
    return false;
  }
  return true;
}

void frmSet::cmdAdd_Click() {
  if (!FieldsFilled()) return;
  // The count is a 16-bit value in the file's readers; one more would wrap.
  if (ItemCount_ >= core::kMaxAliases) {
    Warn(kListFullMessage);
    return;
  }
  EnableButtons(false);
  const std::wstring shortName = txtIPath.Text();
  const std::wstring realPath = txtRPath.Text();
  lstIPath.AddItem(shortName);
  lstRPath.AddItem(realPath);
  ++ItemCount_;
  IPath_.push_back(shortName);
  RPath_.push_back(realPath);
  txtIPath.SetText(L"");
  txtRPath.SetText(L"");
  EnableButtons(true);
  KeepFocusAfter(cmdAdd);
}

void frmSet::cmdEdit_Click() {
  // With no entry selected there is nothing to overwrite, and nothing to
  // warn about either.
  const int selected = lstIPath.ListIndex();
  if (selected < 0 || selected >= ItemCount_) return;
  if (!FieldsFilled()) return;
  EnableButtons(false);
  const std::wstring shortName = txtIPath.Text();
  const std::wstring realPath = txtRPath.Text();
  lstIPath.SetItem(selected, shortName);
  lstRPath.SetItem(selected, realPath);
  IPath_[static_cast<std::size_t>(selected) + 1] = shortName;
  RPath_[static_cast<std::size_t>(selected) + 1] = realPath;
  txtIPath.SetText(L"");
  txtRPath.SetText(L"");
  EnableButtons(true);
  KeepFocusAfter(cmdEdit);
}

void frmSet::cmdDel_Click() {
  const int selected = lstIPath.ListIndex();
  if (selected < 0 || selected >= ItemCount_) return;
  if (messageBoxes.Show(kDeleteQuestion, kAppTitle, platform::kMbYesNo) != platform::kIdYes) return;
  EnableButtons(false);
  lstIPath.RemoveItem(selected);
  lstRPath.RemoveItem(selected);
  --ItemCount_;
  IPath_.erase(IPath_.begin() + selected + 1);
  RPath_.erase(RPath_.begin() + selected + 1);
  // Whatever the list control does with the selection of a removed item,
  // afterwards no entry is selected in either list.
  lstIPath.SetListIndex(-1);
  txtIPath.SetText(L"");
  txtRPath.SetText(L"");
  EnableButtons(true);
  KeepFocusAfter(cmdDel);
}

// A disabled control loses the keyboard focus to nothing, and disabling is
// how the buttons go through an edit: the pressed button takes it back, or,
// once the last entry is gone and Delete stays disabled, the short-name
// field does, where the next entry begins.
void frmSet::KeepFocusAfter(platform::Button& pressed) {
  if (pressed.Enabled()) {
    pressed.SetFocus();
  } else {
    txtIPath.SetFocus();
  }
}

void frmSet::lstIPath_Click() { lstRPath.SetListIndex(lstIPath.ListIndex()); }

void frmSet::lstIPath_DblClick() {
  lstIPath_Click();
  const int selected = lstIPath.ListIndex();
  txtIPath.SetText(selected >= 0 ? lstIPath.List(selected) : L"");
  const int mirrored = lstRPath.ListIndex();
  txtRPath.SetText(mirrored >= 0 ? lstRPath.List(mirrored) : L"");
}

}  // namespace settings
