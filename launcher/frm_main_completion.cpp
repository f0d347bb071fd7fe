#include <cstdint>

#include "launcher/frm_main.h"

namespace launcher {

namespace {

// Deleting and caret keys: after them the text is taken as the user left it.
bool SwitchesMatchOff(int keyCode) {
  switch (keyCode) {
    case platform::kVkBack:
    case platform::kVkEnd:
    case platform::kVkHome:
    case platform::kVkLeft:
    case platform::kVkUp:
    case platform::kVkRight:
    case platform::kVkDown:
    case platform::kVkInsert:
    case platform::kVkDelete:
      return true;
    default:
      return false;
  }
}

}  // namespace

void frmMain::cmbRun_KeyDown(int keyCode, int /*shift*/) { LastKeyCode_ = keyCode; }

void frmMain::cmbRun_Change() {
  if (completing_) return;
  const auto caret = static_cast<std::int16_t>(cmbRun.SelStart());
  const std::wstring typed = cmbRun.Text();
  const int p = cmbRun.FindString(typed, false);
  if (SwitchesMatchOff(LastKeyCode_) || p < 0) {
    MatchIndex_ = 0;
    return;
  }
  completing_ = true;
  cmbRun.SetTopIndex(p);
  cmbRun.SetListIndex(p);
  const std::wstring full = cmbRun.List(p);
  cmbRun.SetText(full);
  cmbRun.SetSel(caret, static_cast<int>(full.size()) - static_cast<int>(typed.size()));
  completing_ = false;
  MatchIndex_ = p + 1;
}

}  // namespace launcher
