#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "launcher/frm_main_layout.h"
#include "platform/win32/dpi.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"MirabeltonLauncher";
constexpr int kFirstControlId = 100;
// A choice from the drop-down list reaches the edit field only after
// CBN_SELCHANGE returns, so the change is raised from a posted message.
constexpr UINT kMsgListChoice = WM_APP + 1;

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

int ControlId(const launcher::ControlLayout& layout, int position) {
  if (layout.kind == launcher::ControlKind::DefaultButton) return IDOK;
  if (layout.kind == launcher::ControlKind::CancelButton) return IDCANCEL;
  return kFirstControlId + position;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, launcher::kMainCaption,
                          WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  const UINT dpi = WindowDpi(hwnd_);
  SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(launcher::kMainClientWidth, dpi),
               TwipsToPixels(launcher::kMainClientHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnScreen();
  CreateControls();
  return true;
}

void MainWindow::CenterOnScreen() {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::CreateControls() {
  const UINT dpi = WindowDpi(hwnd_);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
  font_.Reset(CreateFontIndirectW(&face));
  whiteBrush_.Reset(CreateSolidBrush(RGB(255, 255, 255)));

  const std::map<std::string, WinControl<platform::Label>*> labels = {
      {"lblClose", &lblClose}, {"lblPlatform", &lblPlatform}, {"lblCopyright", &lblCopyright},
      {"lblSet", &lblSet},     {"lblBlue", &lblBlue},         {"lblTitle", &lblTitle},
      {"lblRun", &lblRun},     {"lblEnd", &lblEnd},           {"lblHide", &lblHide}};
  int position = 0;
  for (const launcher::ControlLayout& layout : launcher::kMainLayout) {
    const int id = ControlId(layout, position++);
    HWND parent = layout.parent ? ControlByName(layout.parent) : hwnd_;
    DWORD style = WS_CHILD | WS_VISIBLE;
    const wchar_t* windowClass = WC_STATICW;
    int height = TwipsToPixels(layout.height, dpi);
    switch (layout.kind) {
      case launcher::ControlKind::Panel:
        style |= SS_NOTIFY | WS_CLIPCHILDREN;
        break;
      case launcher::ControlKind::Label:
        style |= SS_NOTIFY | SS_NOPREFIX;
        break;
      case launcher::ControlKind::Button:
      case launcher::ControlKind::CancelButton:
        windowClass = WC_BUTTONW;
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case launcher::ControlKind::DefaultButton:
        windowClass = WC_BUTTONW;
        style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
        break;
      case launcher::ControlKind::ComboBox:
        windowClass = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        height = TwipsToPixels(2400, dpi);  // the edit field plus its drop-down list
        break;
    }
    HWND control = CreateWindowExW(0, windowClass, layout.text, style, TwipsToPixels(layout.left, dpi),
                                   TwipsToPixels(layout.top, dpi), TwipsToPixels(layout.width, dpi), height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    controls_[layout.name] = control;
    auto label = labels.find(layout.name);
    if (label != labels.end()) label->second->Attach(control);
  }
  cmbRun.Attach(ControlByName("cmbRun"));
  cmdOK.Attach(ControlByName("cmdOK"));
  cmdCancel.Attach(ControlByName("cmdCancel"));
  cmdOther.Attach(ControlByName("cmdOther"));
  cmdEnd.Attach(ControlByName("cmdEnd"));
  picAbout.Attach(ControlByName("picAbout"));
  picAbout.SetTop(960);

  // The dialog manager tabs in stacking order, so the focusable controls are
  // restacked in their tab order; none of them overlaps another, and the
  // about panel, which takes no focus, stays above the command box.
  HWND previous = picAbout.Handle();
  for (HWND control : {cmbRun.Handle(), cmdOK.Handle(), cmdCancel.Handle(), cmdOther.Handle(),
                       cmdEnd.Handle()}) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

HWND MainWindow::ControlByName(const char* name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

bool MainWindow::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

void MainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void MainWindow::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

int MainWindow::Left() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return PixelsToTwips(rect.left, WindowDpi(hwnd_));
}

int MainWindow::Top() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return PixelsToTwips(rect.top, WindowDpi(hwnd_));
}

void MainWindow::Move(int leftTwips, int topTwips) {
  const UINT dpi = WindowDpi(hwnd_);
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(leftTwips, dpi), TwipsToPixels(topTwips, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (!form_ || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
  if (msg.hwnd == cmbRun.Handle() || GetParent(msg.hwnd) == cmbRun.Handle()) {
    form_->cmbRun_KeyDown(static_cast<int>(msg.wParam), ShiftState());
  }
  return false;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // No exception may unwind through the system's code.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case kMsgListChoice:
      cmbRun.RaiseChange();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(whiteBrush_.Get());
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) Unload();
      return 0;
    case WM_DESTROY:
      if (!unloaded_) {
        unloaded_ = true;
        if (QueryUnload) QueryUnload();
      }
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
  if (!form_) return;
  if (control == cmbRun.Handle()) {
    if (code == CBN_EDITCHANGE) cmbRun.RaiseChange();
    if (code == CBN_SELCHANGE) PostMessageW(hwnd_, kMsgListChoice, 0, 0);
    return;
  }
  if (id == IDOK) {
    // Enter with the drop-down list open only closes the list.
    if (SendMessageW(cmbRun.Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
      SendMessageW(cmbRun.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }
    form_->cmdOK_Click();
  } else if (id == IDCANCEL) {
    form_->cmdCancel_Click();
  } else if (control == cmdEnd.Handle() && code == BN_CLICKED) {
    form_->cmdEnd_Click();
  } else if (control == lblRun.Handle() && code == STN_CLICKED) {
    form_->lblRun_Click();
  } else if ((control == lblHide.Handle() || control == lblClose.Handle()) && code == STN_CLICKED) {
    form_->cmdCancel_Click();
  } else if (control == lblEnd.Handle() && code == STN_CLICKED) {
    form_->cmdEnd_Click();
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

} // namespace win32
