#include "platform/win32/win_hot_key_field.h"

#include <commctrl.h>

namespace win32 {

bool WinHotKeyField::Create() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_HOTKEY_CLASS;
  if (!InitCommonControlsEx(&classes)) InitCommonControls();

  Destroy();
  RECT interior{};
  GetClientRect(panel_, &interior);
  // No HKM_SETRULES: any combination is accepted, with or without modifiers.
  hwnd_ = CreateWindowExW(0, HOTKEY_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0,
                          interior.right, interior.bottom, panel_, nullptr, instance_, nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return true;
}

void WinHotKeyField::FitToPanel() {
  if (!hwnd_) return;
  RECT interior{};
  GetClientRect(panel_, &interior);
  SetWindowPos(hwnd_, nullptr, 0, 0, interior.right, interior.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinHotKeyField::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void WinHotKeyField::SetHotKey(std::int32_t value) {
  if (hwnd_) SendMessageW(hwnd_, HKM_SETHOTKEY, static_cast<WPARAM>(value & 0xFFFF), 0);
}

std::int32_t WinHotKeyField::GetHotKey() const {
  if (!hwnd_) return 0;
  return static_cast<std::int32_t>(LOWORD(SendMessageW(hwnd_, HKM_GETHOTKEY, 0, 0)));
}

void WinHotKeyField::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

}  // namespace win32
