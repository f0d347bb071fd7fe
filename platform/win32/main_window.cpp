#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "launcher/frm_main_layout.h"
#include "platform/win32/bound_window_proc.h"
#include "platform/win32/dpi.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"MirabeltonLauncher";
constexpr wchar_t kPanelClassName[] = L"MirabeltonAboutPanel";
constexpr wchar_t kPreferredFace[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kSymbolFace[] = L"Marlett";
constexpr int kFirstControlId = 100;
constexpr int kAboutStartTop = 960;
// A choice from the drop-down list reaches the edit field only after
// CBN_SELCHANGE returns, so the change is raised from a posted message.
constexpr UINT kMsgListChoice = WM_APP + 1;

int ControlId(const launcher::ControlLayout& layout, int position) {
  if (layout.kind == launcher::ControlKind::DefaultButton) return IDOK;
  if (layout.kind == launcher::ControlKind::CancelButton) return IDCANCEL;
  return kFirstControlId + position;
}

int CALLBACK CountFaces(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 0;  // one is enough
}

bool FontInstalled(const wchar_t* face, BYTE charSet) {
  LOGFONTW query{};
  query.lfCharSet = charSet;
  wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  int count = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, CountFaces, reinterpret_cast<LPARAM>(&count), 0);
  ReleaseDC(nullptr, dc);
  return count > 0;
}

// The proportional Japanese face of the window and its title: the classic
// one where the system has it, else the system's own UI face.
std::wstring JapaneseUiFace() {
  if (FontInstalled(kPreferredFace, SHIFTJIS_CHARSET)) return kPreferredFace;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont.lfFaceName;
}

HFONT MakeFont(const std::wstring& face, int points, int weight, BYTE charSet, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  font.lfWeight = weight;
  font.lfCharSet = charSet;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
  ole_.Begin();

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = BoundWindowProc<MainWindow>;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  WNDCLASSEXW panelClass{};
  panelClass.cbSize = sizeof panelClass;
  panelClass.lpfnWndProc = PanelProc;
  panelClass.hInstance = instance_;
  panelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panelClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  panelClass.lpszClassName = kPanelClassName;
  RegisterClassExW(&panelClass);

  hwnd_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, launcher::kMainCaption,
                      WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  dpi_ = WindowDpi(hwnd_);
  SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(launcher::kMainClientWidth, dpi_),
               TwipsToPixels(launcher::kMainClientHeight, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnScreen();
  CreateControls();
  CreateTooltips();
  ApplyDpi(dpi_);

  auto over = [this](bool offersFiles) -> int {
    return form_ && form_->cmbRun_OLEDragOver(offersFiles) == 1 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  };
  auto drop = [this](const std::vector<std::wstring>& files) {
    cmbRun.FillListIfEmpty();
    if (form_) form_->cmbRun_OLEDragDrop(files);
  };
  // OLE looks for a target from the window under the pointer up through its
  // parents, so the box serves its edit field as well.
  dropTarget_ = FileDropTarget::Register(cmbRun.Handle(), over, drop);
  return true;
}

void MainWindow::CenterOnScreen() {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  SetWindowPos(hwnd_, nullptr, work.left + (Width(work) - Width(rect)) / 2,
               work.top + (Height(work) - Height(rect)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::CreateControls() {
  const std::map<std::string, DrawnLabel*> labels = {
      {"lblClose", &lblClose}, {"lblPlatform", &lblPlatform}, {"lblCopyright", &lblCopyright},
      {"lblSet", &lblSet},     {"lblBlue", &lblBlue},         {"lblTitle", &lblTitle},
      {"lblRun", &lblRun},     {"lblEnd", &lblEnd},           {"lblHide", &lblHide}};
  int position = 0;
  for (const launcher::ControlLayout& layout : launcher::kMainLayout) {
    const int id = ControlId(layout, position++);
    auto label = labels.find(layout.name);
    if (label != labels.end()) {
      HWND container = layout.parent ? children_[layout.parent] : hwnd_;
      label->second->Place(container, layout.left, layout.top, layout.width, layout.height);
      label->second->SetCaption(layout.text);
      (layout.parent ? panelLabels_ : windowLabels_).push_back(label->second);
      continue;
    }
    // Siblings clip each other, so the about panel stays over the command
    // box whichever of them repaints.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    const wchar_t* windowClass = WC_BUTTONW;
    switch (layout.kind) {
      case launcher::ControlKind::Panel:
        windowClass = kPanelClassName;
        style |= WS_CLIPCHILDREN;
        break;
      case launcher::ControlKind::Button:
      case launcher::ControlKind::CancelButton:
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case launcher::ControlKind::DefaultButton:
        style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
        break;
      case launcher::ControlKind::ComboBox:
        windowClass = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        break;
      case launcher::ControlKind::Label:
        break;
    }
    const bool panel = layout.kind == launcher::ControlKind::Panel;
    HWND control = CreateWindowExW(0, windowClass, layout.text, style, 0, 0, 0, 0, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                   panel ? this : nullptr);
    children_[layout.name] = control;
  }
  cmbRun.Attach(children_["cmbRun"]);
  cmdOK.Attach(children_["cmdOK"]);
  cmdCancel.Attach(children_["cmdCancel"]);
  cmdOther.Attach(children_["cmdOther"]);
  cmdEnd.Attach(children_["cmdEnd"]);
  picAbout.Attach(children_["picAbout"]);
  picAbout.SetTop(kAboutStartTop);

  // The pictures lie exactly under their labels.
  imgRunRaised.Place(hwnd_, lblRun.LeftTwips(), lblRun.TopTwips(), 420, 420);
  imgSetRaised.Place(hwnd_, lblSet.LeftTwips(), lblSet.TopTwips(), 180, 180);

  lblTitle.font = LabelFont::Title;
  lblHide.font = LabelFont::Symbol;
  lblEnd.font = LabelFont::Symbol;
  lblPlatform.textColour = RGB(0, 128, 128);
  lblClose.opaque = true;
  lblClose.backColour = RGB(224, 224, 224);
  lblClose.centred = true;
  tooltipLabels_ = {&lblRun, &lblSet, &lblEnd, &lblHide};

  // The dialog manager tabs in stacking order, so the focusable controls are
  // restacked in their tab order; none of them overlaps another, and the
  // about panel, which takes no focus, stays above the command box.
  HWND previous = picAbout.Handle();
  SetWindowPos(previous, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND control :
       {cmbRun.Handle(), cmdOK.Handle(), cmdCancel.Handle(), cmdOther.Handle(), cmdEnd.Handle()}) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

void MainWindow::CreateTooltips() {
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  if (!tooltips_) return;
  const wchar_t* texts[] = {L"実行(Enter)", L"設定(Alt+S)", L"常駐終了", L"最小化（隠す）"};
  for (std::size_t i = 0; i < tooltipLabels_.size(); ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = i;
    tool.rect = tooltipLabels_[i]->Rect(dpi_);
    tool.lpszText = const_cast<wchar_t*>(texts[i]);
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainWindow::CreateFonts(UINT dpi) {
  const std::wstring face = JapaneseUiFace();
  fonts_.window.Reset(MakeFont(face, 9, FW_NORMAL, SHIFTJIS_CHARSET, dpi));
  fonts_.title.Reset(MakeFont(face, 9, FW_BOLD, SHIFTJIS_CHARSET, dpi));
  fonts_.symbolPresent = FontInstalled(kSymbolFace, SYMBOL_CHARSET);
  fonts_.symbol.Reset(MakeFont(kSymbolFace, 9, FW_MEDIUM, SYMBOL_CHARSET, dpi));
}

HFONT MainWindow::FontFor(LabelFont font) const {
  switch (font) {
    case LabelFont::Title:
      return fonts_.title.Get();
    case LabelFont::Symbol:
      return fonts_.symbol.Get();
    case LabelFont::Window:
      break;
  }
  return fonts_.window.Get();
}

// Everything in twips is converted again, so the window keeps its size in
// inches on every monitor.
void MainWindow::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  CreateFonts(dpi);
  background_ = Canvas();
  for (const launcher::ControlLayout& layout : launcher::kMainLayout) {
    auto child = children_.find(layout.name);
    if (child == children_.end()) continue;
    const int top =
        TwipsToPixels(child->second == picAbout.Handle() ? picAbout.Top() : layout.top, dpi);
    int height = TwipsToPixels(layout.height, dpi);
    if (layout.kind == launcher::ControlKind::ComboBox)
      height = TwipsToPixels(2400, dpi);  // with its list
    SetWindowPos(child->second, nullptr, TwipsToPixels(layout.left, dpi), top,
                 TwipsToPixels(layout.width, dpi), height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(child->second, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.window.Get()), TRUE);
  }

  for (std::size_t i = 0; i < tooltipLabels_.size() && tooltips_; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = i;
    tool.rect = tooltipLabels_[i]->Rect(dpi);
    SendMessageW(tooltips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
  InvalidateRect(picAbout.Handle(), nullptr, FALSE);
}

bool MainWindow::Visible() const { return hwnd_ && IsWindowVisible(hwnd_) != FALSE; }

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
  return PixelsToTwips(rect.left, dpi_);
}

int MainWindow::Top() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return PixelsToTwips(rect.top, dpi_);
}

void MainWindow::Move(int leftTwips, int topTwips) {
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(leftTwips, dpi_), TwipsToPixels(topTwips, dpi_), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (!form_ || !hwnd_) return false;
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (!key && msg.message != WM_MOUSEWHEEL) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  cmbRun.FillListIfEmpty();
  if (!key) return false;
  const int keyCode = static_cast<int>(msg.wParam);
  const int shift = ShiftState();
  // The window's shortcuts come first; the key then goes on as usual,
  // unless it ended the program.
  form_->Form_KeyDown(keyCode, shift);
  if (!hwnd_) return true;
  if (msg.hwnd == cmbRun.Handle() || GetParent(msg.hwnd) == cmbRun.Handle()) {
    form_->cmbRun_KeyDown(keyCode, shift);
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
  if (!form_) return;
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
    form_->cmdOK_Click();
  } else if (id == IDCANCEL) {
    form_->cmdCancel_Click();
  } else if (control == cmdEnd.Handle() && code == BN_CLICKED) {
    form_->cmdEnd_Click();
  } else if (control == cmdOther.Handle() && code == BN_CLICKED) {
    form_->cmdOther_Click();
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

}  // namespace win32
