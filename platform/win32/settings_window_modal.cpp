// The settings window shown modally: its own message loop with the owner
// disabled, the unload steps on every way out, the routing of its messages
// and its controls' notifications to frmSet, and the host that makes a new
// window for each showing.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/settings_window.h"

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
  ::SetFocus(lstIPath.Handle());  // the first control in tab order

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
  if (QueryUnload) QueryUnload();
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
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
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
      if (dropIPath_) dropIPath_->Revoke();
      if (dropRPath_) dropRPath_->Revoke();
      dropIPath_ = dropRPath_ = nullptr;
      toolTip_ = nullptr;  // owned by this window, so destroyed with it
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void SettingsWindow::OnCommand(int id, int code, HWND control) {
  if (control && control == lstIPath.Handle()) {
    if (code == LBN_SELCHANGE) lstIPath.RaiseClick();
    if (code == LBN_DBLCLK) lstIPath.DblClick();
    return;
  }
  if (control && code == EN_CHANGE) {
    if (control == txtIPath.Handle()) txtIPath.RaiseChange();
    if (control == txtRPath.Handle()) txtRPath.RaiseChange();
    return;
  }
  // Esc arrives as IDCANCEL from the dialog manager, as does a click on
  // cmdCancel; a disabled cancel button ignores both.
  if (id == IDCANCEL) {
    if (IsWindowEnabled(cmdCancel.Handle())) cmdCancel.Click();
    return;
  }
  // Enter arrives as IDOK unless the focused button shows itself as the
  // default; either way only a button with the focus is pressed.
  if (id == IDOK) {
    HWND focus = GetFocus();
    if (focus && IsPushButton(focus)) OnCommand(GetDlgCtrlID(focus), BN_CLICKED, focus);
    return;
  }
  if (!control) return;
  if (code != BN_CLICKED || !IsWindowEnabled(control)) return;
  if (control == cmdSet.Handle()) {
    cmdSet.Click();
  } else if (control == cmdAdd.Handle()) {
    cmdAdd.Click();
  } else if (control == cmdEdit.Handle()) {
    cmdEdit.Click();
  } else if (control == cmdDel.Handle()) {
    cmdDel.Click();
  } else if (control == cmdDialog.Handle()) {
    cmdDialog.Click();
  }
}

bool SettingsWindow::IsPushButton(HWND control) const {
  for (HWND button : {cmdAdd.Handle(), cmdDel.Handle(), cmdEdit.Handle(), cmdSet.Handle(),
                      cmdCancel.Handle(), Control("cmdDialog")}) {
    if (control == button) return true;
  }
  return false;
}

LRESULT CALLBACK SettingsWindow::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ControlProc, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  try {
    return reinterpret_cast<SettingsWindow*>(data)->HandleControlMessage(hwnd, message, wParam,
                                                                         lParam);
  } catch (...) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

LRESULT SettingsWindow::HandleControlMessage(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && IsPushButton(control)) {
    // The focused button wears the default frame, and Enter presses it.
    SendMessageW(control, BM_SETSTYLE, message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                 TRUE);
  } else if (message == WM_LBUTTONDBLCLK) {
    if (control == txtIPath.Handle()) txtIPath.DblClick();
    if (control == txtRPath.Handle()) txtRPath.DblClick();
  } else if (message == WM_SETFOCUS && control == Control("picHotkey")) {
    picHotkey.GotFocus();
  }
  return result;
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
