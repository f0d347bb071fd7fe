// What the launcher's replacement window procedure does with a message
// before passing it on: the hot key shows the hidden launcher.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/services.h"

namespace hotkey {

class HotKeyActivation {
 public:
  HotKeyActivation(platform::Window& form, platform::ComboBox& cmbRun,
                   platform::StartupServices& system)
      : form_(form), cmbRun_(cmbRun), system_(system) {}

  // Acts on a hot key with our identifier while the launcher is hidden:
  // empties the box, shows the window and puts the focus in the box. Nested
  // calls (showing the window sends further messages) do nothing.
  void OnMessage(unsigned message, std::intptr_t wParam, int hotKeyIdentifier);

 private:
  platform::Window& form_;
  platform::ComboBox& cmbRun_;
  platform::StartupServices& system_;
  bool busy_ = false;
};

}  // namespace hotkey
