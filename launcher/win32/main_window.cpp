// The launcher window's making: its classes, controls, fonts, tooltips and
// the layout at each DPI, and the platform::Window operations.
#include "launcher/win32/main_window.h"

#include <commctrl.h>

#include "launcher/frm_main_layout.h"
#include "platform/win32/bound_window_proc.h"
#include "platform/win32/control_builder.h"
#include "platform/win32/dpi.h"
#include "platform/win32/tool_tips.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"MirabeltonLauncher";
constexpr wchar_t kPanelClassName[] = L"MirabeltonAboutPanel";
constexpr wchar_t kPreferredFace[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kSymbolFace[] = L"Marlett";

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

// The proportional Japanese face of the window and its title: MS P Gothic
// where the system has it, else the system's own UI face.
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

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
  const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterWindowClass(
      instance_,
      {kClassName, BoundWindowProc<MainWindow>, white, LoadIconW(instance_, MAKEINTRESOURCEW(1)),
       static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                     0))});
  RegisterWindowClass(instance_, {kPanelClassName, BoundWindowProc<PanelSurface>, white});

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
  ApplyDpi(dpi_);
  // A timer's message comes only once no paint is pending, so the rest of
  // start-up waits until the window has been drawn.
  SetTimer(hwnd_, kFinishStartupTimer, 0, nullptr);
  return true;
}

void MainWindow::FinishStartup() {
  ole_.Begin();
  // OLE looks for a target from the window under the pointer up through its
  // parents, so the box serves its edit field as well.
  CommandBox().AcceptDrops();
  CreateTooltips();
  if (AfterFirstPaint) AfterFirstPaint();
}

launcher::MainFormControls MainWindow::FormControls() {
  const ControlSet& c = controls_;
  return {*this,
          c.ComboBox("cmbRun"),
          c.Button("cmdOK"),
          c.Button("cmdCancel"),
          c.Button("cmdOther"),
          c.Button("cmdEnd"),
          c.Panel("picAbout"),
          c.Label("lblTitle"),
          c.Label("lblPlatform"),
          c.Label("lblClose"),
          c.Label("lblBlue"),
          c.Label("lblRun"),
          c.Label("lblSet"),
          c.Label("lblHide"),
          c.Label("lblEnd"),
          imgRunRaised_,
          imgSetRaised_};
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
  // The about panel's window hands its messages to this one.
  controls_ =
      ControlSet(hwnd_, instance_, launcher::kMainLayout, {kPanelClassName, 0, &panel_, false});
  windowLabels_ = controls_.LabelsIn(hwnd_);
  panelLabels_ = controls_.LabelsIn(controls_.Handle("picAbout"));
  for (const launcher::ControlLayout& layout : launcher::kMainLayout) {
    if (layout.toolTip) tooltipLabels_.push_back({&Label(layout.name), layout.toolTip});
  }
  WinPanel& picAbout = controls_.Panel("picAbout");
  picAbout.SetTop(controls_.Row("picAbout").top);

  // The pictures lie exactly under their labels.
  for (auto [picture, name] : {std::pair{&imgRunRaised_, "lblRun"}, {&imgSetRaised_, "lblSet"}}) {
    const DrawnLabel& label = Label(name);
    picture->Place(hwnd_, label.LeftTwips(), label.TopTwips(), label.WidthTwips(),
                   label.HeightTwips());
  }

  Label("lblTitle").font = LabelFont::Title;
  Label("lblHide").font = LabelFont::Symbol;
  Label("lblEnd").font = LabelFont::Symbol;
  Label("lblPlatform").textColour = RGB(0, 128, 128);
  DrawnLabel& lblClose = Label("lblClose");
  lblClose.opaque = true;
  lblClose.backColour = RGB(224, 224, 224);
  lblClose.centred = true;

  // The dialog manager tabs in stacking order, so the focusable controls are
  // restacked in their tab order; none of them overlaps another, and the
  // about panel, which takes no focus, stays above the command box.
  std::vector<HWND> stack;
  for (const char* name : {"picAbout", "cmbRun", "cmdOK", "cmdCancel", "cmdOther", "cmdEnd"}) {
    stack.push_back(controls_.Handle(name));
  }
  StackInOrder(stack);
}

void MainWindow::CreateTooltips() {
  tooltips_ = MakeToolTipWindow(hwnd_, instance_);
  if (!tooltips_) return;
  for (std::size_t i = 0; i < tooltipLabels_.size(); ++i) {
    const auto [label, text] = tooltipLabels_[i];
    AddAreaToolTip(tooltips_, hwnd_, i, label->Rect(dpi_), text);
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
  const WinPanel& picAbout = controls_.Panel("picAbout");
  controls_.ForEachWindow([&](const launcher::ControlLayout& layout, HWND child) {
    // The panel stands where the program last put it.
    const int top = TwipsToPixels(child == picAbout.Handle() ? picAbout.Top() : layout.top, dpi);
    int height = TwipsToPixels(layout.height, dpi);
    if (layout.kind == launcher::ControlKind::ComboBox)
      height = TwipsToPixels(2400, dpi);  // with its list
    SetWindowPos(child, nullptr, TwipsToPixels(layout.left, dpi), top,
                 TwipsToPixels(layout.width, dpi), height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.window.Get()), TRUE);
  });

  for (std::size_t i = 0; i < tooltipLabels_.size() && tooltips_; ++i) {
    MoveAreaToolTip(tooltips_, hwnd_, i, tooltipLabels_[i].first->Rect(dpi));
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

}  // namespace win32
