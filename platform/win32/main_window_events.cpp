// How the launcher window routes what happens to it: keys before the
// focused control, messages of the window and its about panel, control
// notifications to frmMain, and the message loop that runs the launcher.
#include <windows.h>
#include <commctrl.h>

#include "launcher/frm_main_layout.h"
#include "platform/win32/dpi.h"
#include "platform/win32/main_window.h"

namespace win32 {

namespace {

// A choice from the drop-down list reaches the edit field only after
// CBN_SELCHANGE returns, so the change is raised from a posted message.
constexpr UINT kMsgListChoice = WM_APP + 1;

}  // namespace

bool MainWindow::PreTranslate(MSG& msg) {
  if (!hwnd_) return false;
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (!key && msg.message != WM_MOUSEWHEEL) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  cmbRun.FillListIfEmpty();
  if (!key) return false;
  const int keyCode = static_cast<int>(msg.wParam);
  const int shift = ShiftState();
  // The window's shortcuts come first; the key then goes on as usual,
  // unless it ended the program.
  if (KeyDown) KeyDown(keyCode, shift);
  if (!hwnd_) return true;
  if (msg.hwnd == cmbRun.Handle() || GetParent(msg.hwnd) == cmbRun.Handle()) {
    if (cmbRun.KeyDown) cmbRun.KeyDown(keyCode, shift);
  }
  // Enter presses the button that has the focus (Cancel after "@about"); the
  // dialog manager would press the default button instead.
  if (msg.message == WM_KEYDOWN && keyCode == VK_RETURN) {
    for (HWND button : {cmdCancel.Handle(), cmdOther.Handle(), cmdEnd.Handle()}) {
      if (msg.hwnd != button) continue;
      SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK MainWindow::PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || message == WM_NCDESTROY) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->HandlePanelMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
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
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case kMsgListChoice:
      cmbRun.RaiseChange();
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
      if (dropTarget_) dropTarget_->Revoke();
      dropTarget_ = nullptr;
      if (!unloaded_) {
        unloaded_ = true;
        if (QueryUnload) QueryUnload();
      }
      PostQuitMessage(0);
      return 0;
    default:
      if (OnMouse(hwnd_, message, wParam, lParam)) return 0;
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
  if (control == cmbRun.Handle()) {
    if (code == CBN_DROPDOWN) cmbRun.FillListIfEmpty();
    if (code == CBN_EDITCHANGE) cmbRun.RaiseChange();
    if (code == CBN_SELCHANGE) PostMessageW(hwnd_, kMsgListChoice, 0, 0);
    return;
  }
  if (id == IDOK) {
    // Enter with the drop-down list open only closes the list.
    if (SendMessageW(cmbRun.Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
      SendMessageW(cmbRun.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }
    if (cmdOK.Click) cmdOK.Click();
  } else if (id == IDCANCEL) {
    if (cmdCancel.Click) cmdCancel.Click();
  } else if (control == cmdEnd.Handle() && code == BN_CLICKED) {
    if (cmdEnd.Click) cmdEnd.Click();
  } else if (control == cmdOther.Handle() && code == BN_CLICKED) {
    if (cmdOther.Click) cmdOther.Click();
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
