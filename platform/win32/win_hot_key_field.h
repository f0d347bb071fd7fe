// The hot-key field of the settings window: a "msctls_hotkey32" control
// created inside a panel and filling its interior.
#pragma once

#include <windows.h>

#include "platform/settings_controls.h"

namespace win32 {

class WinHotKeyField : public platform::HotKeyField {
 public:
  WinHotKeyField() = default;
  ~WinHotKeyField() override { Destroy(); }
  WinHotKeyField(const WinHotKeyField&) = delete;
  WinHotKeyField& operator=(const WinHotKeyField&) = delete;

  // The panel the field is created in; set before Create.
  void SetPanel(HWND panel, HINSTANCE instance) {
    panel_ = panel;
    instance_ = instance;
  }
  HWND Handle() const { return hwnd_; }
  // Fits the field to the panel's interior again (after a DPI change).
  void FitToPanel();

  bool Create() override;
  void Destroy() override;
  void SetHotKey(std::int32_t value) override;
  std::int32_t GetHotKey() const override;
  void SetFocus() override;

 private:
  HWND panel_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
};

}  // namespace win32
