#include "hotkey/activation.h"

namespace hotkey {

void HotKeyActivation::OnMessage(unsigned message, std::intptr_t wParam, int hotKeyIdentifier) {
  if (busy_) return;
  busy_ = true;
  if (message == platform::kWmHotKey && static_cast<int>(wParam) == hotKeyIdentifier &&
      !form_.Visible()) {
    cmbRun_.SetText(L"");
    form_.Show();
    // A window that answers its own hot key may take the foreground, so the
    // first key typed lands in the box even when another program was active.
    system_.BringToFront();
    cmbRun_.SetFocus();
  }
  busy_ = false;
}

}  // namespace hotkey
