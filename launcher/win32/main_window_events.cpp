// How the launcher window hands on what happens to it: keys before the
// focused control, messages of the window and its about panel, each
// control's notifications to that control, and the message loop that runs
// the launcher.
#include <windows.h>
#include <commctrl.h>

#include "launcher/frm_main_layout.h"
#include "launcher/win32/main_window.h"
#include "platform/win32/dpi.h"

namespace win32 {

bool MainWindow::PreTranslate(MSG& msg) {
  if (!hwnd_) return false;
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (!key && msg.message != WM_MOUSEWHEEL) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  CommandBox().FillListIfEmpty();
  if (!key) return false;
  const int keyCode = static_cast<int>(msg.wParam);
  const int shift = ShiftState();
  // The window's shortcuts come first; the key then goes on as usual,
  // unless it ended the program.
  platform::Raise(KeyDown, keyCode, shift);
  if (!hwnd_) return true;
  // The focused control, or the control it is a part of (the command box's
  // edit field).
  WinChild* target = WinChild::FromHandle(msg.hwnd);
  if (!target) target = WinChild::FromHandle(GetParent(msg.hwnd));
  if (!target) return false;
  target->OnKeyDown(keyCode, shift);
  // Enter presses the button that has the focus (Cancel after "@about"); the
  // dialog manager would press the default button instead.
  return msg.message == WM_KEYDOWN && keyCode == VK_RETURN && target->Press();
}

LRESULT MainWindow::HandlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPanel(panel);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_CAPTURECHANGED:
      if (capture_.label && capture_.source == panel)
        EndCapture(capture_.buttons, ShiftState(), {-1, -1}, false);
      return 0;
    default:
      if (OnMouse(panel, message, wParam, lParam)) return 0;
      return DefWindowProcW(panel, message, wParam, lParam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tooltips_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG relay{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
  }
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_TIMER:
      // KillTimer succeeds once, so a tick already queued does nothing.
      if (wParam == kFinishStartupTimer && KillTimer(hwnd_, kFinishStartupTimer)) FinishStartup();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATE:
      // Coming back, the focus returns to the control that had it, as in a
      // dialog, rather than to the frameless window itself.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CAPTURECHANGED:
      // Capture taken away (another window, a system key): the press ends
      // here rather than leave a pressed look or a drag behind.
      if (capture_.label && capture_.source == hwnd_)
        EndCapture(capture_.buttons, ShiftState(), {-1, -1}, false);
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      const UINT dpi = LOWORD(wParam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   TwipsToPixels(launcher::kMainClientWidth, dpi),
                   TwipsToPixels(launcher::kMainClientHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(dpi);
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) Unload();
      return 0;
    case WM_DESTROY:
      if (!unloaded_) {
        unloaded_ = true;
        platform::Raise(QueryUnload);
      }
      PostQuitMessage(0);
      return 0;
    default:
      if (OnMouse(hwnd_, message, wParam, lParam)) return 0;
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Esc reach the default and the cancel button through the
  // dialog manager, as commands of their own.
  switch (LOWORD(wParam)) {
    case IDOK: {
      // Enter with the drop-down list open closes the list, then confirms
      // the text as any Enter does.
      const HWND box = CommandBox().Handle();
      if (SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
      controls_.Button("cmdOK").Press();
      return;
    }
    case IDCANCEL:
      controls_.Button("cmdCancel").Press();
      return;
    default:
      RaiseNotification(wParam, lParam);
  }
}

int RunMessageLoop(MainWindow& window) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    if (window.Handle() && IsDialogMessageW(window.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunLauncher(MainWindow& window, launcher::frmMain& form) {
  if (!form.Form_Load()) return 0;  // another instance runs
  const int exitCode = RunMessageLoop(window);
  window.Unload();  // a loop that ended while the window stood still unloads the form
  return exitCode;
}

}  // namespace win32
