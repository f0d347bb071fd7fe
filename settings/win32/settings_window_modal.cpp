// The settings window shown modally: its own message loop with the owner
// disabled, the unload steps on every way out, its messages and the keys
// Enter and Esc, and the host that makes a new window for each showing.
#include <windows.h>
#include <commctrl.h>

#include "settings/win32/settings_window.h"

namespace win32 {

int OwnedMessageBoxes::Show(const std::wstring& text, const std::wstring& title, unsigned style) {
  return MessageBoxW(owner_, text.c_str(), title.c_str(), style);
}

void SettingsWindow::RunModal() {
  if (!hwnd_) return;
  // The owner is no dialog, so nothing else would put its focus back where
  // it was (the launcher's command box) once this window has gone.
  const HWND focusBefore = GetFocus();
  if (owner_ && IsWindowEnabled(owner_)) {
    EnableWindow(owner_, FALSE);
    ownerDisabled_ = true;
  }
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  ::SetFocus(Control("lstIPath"));  // the first control in tab order

  MSG msg{};
  while (hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (hwnd_) Close();
  EnableOwner();
  if (focusBefore && IsWindow(focusBefore) && IsWindowVisible(focusBefore)) ::SetFocus(focusBefore);
}

void SettingsWindow::RunQueryUnload() {
  if (queried_) return;
  queried_ = true;
  platform::Raise(QueryUnload);
}

void SettingsWindow::EnableOwner() {
  if (!ownerDisabled_) return;
  ownerDisabled_ = false;
  EnableWindow(owner_, TRUE);
}

void SettingsWindow::Close() {
  if (!hwnd_) return;
  RunQueryUnload();
  // The owner is enabled first, so that it, and no other program, becomes
  // the active window when this one goes.
  EnableOwner();
  DestroyWindow(hwnd_);
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CLOSE:
      Close();  // the close box acts as cancel
      return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      LayOut(HIWORD(wParam));
      const SIZE frame = FrameSize(dpi_);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, frame.cx, frame.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      FitClientArea();
      return 0;
    }
    case WM_DESTROY:
      // Also when the window goes without Unload (its owner ended).
      RunQueryUnload();
      toolTip_ = nullptr;  // owned by this window, so destroyed with it
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void SettingsWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDCANCEL:
      // Esc arrives as IDCANCEL from the dialog manager, as does a click
      // on cmdCancel; a disabled cancel button ignores both.
      controls_.Button("cmdCancel").Press();
      return;
    case IDOK:
      // Enter arrives as IDOK unless the focused button shows itself as
      // the default; either way only a button with the focus is pressed.
      if (WinChild* focus = WinChild::FromHandle(GetFocus())) focus->Press();
      return;
    default:
      RaiseNotification(wParam, lParam);
  }
}

WinSettingsWindowHost::WinSettingsWindowHost(HINSTANCE instance, HWND owner,
                                             core::SettingsStore& settings,
                                             core::SharedState& shared)
    : instance_(instance), owner_(owner), settings_(settings), shared_(shared) {}

WinSettingsWindowHost::~WinSettingsWindowHost() = default;

void WinSettingsWindowHost::ShowModal() {
  if (showing_) return;
  showing_ = true;
  // Drops on the text boxes need OLE on this thread; it stays initialised
  // for the host's life rather than being set up for every showing.
  ole_.Begin();
  {
    SettingsWindow window(instance_, owner_, settings_, shared_);
    if (window.Create()) window.RunModal();
  }
  showing_ = false;
}

}  // namespace win32
