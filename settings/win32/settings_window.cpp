// The settings window's frame and layout: its class, its fixed dialog
// frame at the owner monitor's DPI, its controls with their fonts, tooltips
// and drop targets, and the etched separators it paints.
#include "settings/win32/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/bound_window_proc.h"
#include "platform/win32/control_builder.h"
#include "platform/win32/dpi.h"
#include "platform/win32/tool_tips.h"
#include "settings/frm_set_layout.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"MirabeltonSettings";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Looked up at run time: older systems lack the per-DPI frame metrics.
BOOL AdjustForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjust) return adjust(rect, style, FALSE, exStyle, dpi);
  return AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

RECT WorkAreaNear(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    return monitor.rcWork;
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

const settings::ControlLayout* LayoutOf(const std::string& name) {
  for (const auto& layout : settings::kSetLayout) {
    if (name == layout.name) return &layout;
  }
  return nullptr;
}

// Tab order is stacking order for the dialog manager: the controls in
// their tab indexes, with lstRPath right beneath lstIPath, which hides it.
std::vector<const settings::ControlLayout*> StackingOrder() {
  std::vector<const settings::ControlLayout*> order;
  for (const auto& layout : settings::kSetLayout) {
    if (layout.tabIndex >= 0) order.push_back(&layout);
  }
  std::sort(order.begin(), order.end(),
            [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
  const auto list = std::find_if(order.begin(), order.end(),
                                 [](const auto* l) { return std::string(l->name) == "lstIPath"; });
  order.insert(list + 1, LayoutOf("lstRPath"));
  return order;
}

SIZE TextSize(HDC dc, const wchar_t* text) {
  RECT rect{};
  DrawTextW(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {rect.right, rect.bottom};
}

}  // namespace

SettingsWindow::SettingsWindow(HINSTANCE instance, HWND owner, core::SettingsStore& settings,
                               core::SharedState& shared)
    : instance_(instance), owner_(owner), settings_(settings), shared_(shared) {}

SettingsWindow::~SettingsWindow() {
  if (hwnd_) Close();
  EnableOwner();
}

bool SettingsWindow::Create() {
  RegisterWindowClass(instance_, {kClassName, BoundWindowProc<SettingsWindow>,
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});

  // Created on the owner's monitor, so that it gets that monitor's DPI.
  const RECT work = WorkAreaNear(owner_);
  const int centreX = (work.left + work.right) / 2;
  const int centreY = (work.top + work.bottom) / 2;
  hwnd_ = CreateWindowExW(kExStyle, kClassName, settings::kSetCaption, kStyle, centreX, centreY, 0,
                          0, owner_, nullptr, instance_, this);
  if (!hwnd_) return false;

  // Move and close only: the frame is fixed and there is nothing to minimise.
  if (HMENU menu = GetSystemMenu(hwnd_, FALSE)) {
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
      DeleteMenu(menu, command, MF_BYCOMMAND);
    }
  }

  dpi_ = WindowDpi(hwnd_);
  bigIcon_ = MakePaperclipIcon(GetSystemMetrics(SM_CXICON));
  smallIcon_ = MakePaperclipIcon(GetSystemMetrics(SM_CXSMICON));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  const SIZE frame = FrameSize(dpi_);
  SetWindowPos(hwnd_, nullptr, centreX - frame.cx / 2, centreY - frame.cy / 2, frame.cx, frame.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  CreateControls();
  LayOut(dpi_);
  CreateToolTips();
  messageBoxes_.SetOwner(hwnd_);
  fileDialog_.SetOwner(hwnd_);
  const ControlSet& c = controls_;
  form_.emplace(
      settings::SettingsFormControls{*this, c.ListBox("lstIPath"), c.CoveredList("lstRPath"),
                                     c.TextBox("txtIPath"), c.TextBox("txtRPath"),
                                     c.Button("cmdAdd"), c.Button("cmdDel"), c.Button("cmdEdit"),
                                     c.Button("cmdSet"), c.Button("cmdCancel"),
                                     c.Button("cmdDialog"), c.Panel("picHotkey"), hotKey_},
      settings::SettingsFormServices{settings_, messageBoxes_, fileDialog_}, shared_);
  // Tens of thousands of aliases fill the lists far faster unpainted.
  const HWND lists[] = {Control("lstIPath"), Control("lstRPath")};
  for (HWND list : lists) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  form_->Form_Load();
  for (HWND list : lists) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
  return hwnd_ != nullptr;
}

SIZE SettingsWindow::FrameSize(UINT dpi) const {
  RECT rect{0, 0, TwipsToPixels(settings::kSetClientWidth, dpi),
            TwipsToPixels(settings::kSetClientHeight, dpi)};
  AdjustForDpi(&rect, kStyle, kExStyle, dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The frame the system actually draws may differ from what the metrics for
// the DPI predict; the client area is what the layout needs exactly.
void SettingsWindow::FitClientArea() {
  const int width = TwipsToPixels(settings::kSetClientWidth, dpi_);
  const int height = TwipsToPixels(settings::kSetClientHeight, dpi_);
  RECT frame{}, client{};
  GetWindowRect(hwnd_, &frame);
  GetClientRect(hwnd_, &client);
  if (client.right == width && client.bottom == height) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
               frame.bottom - frame.top + height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsWindow::CreateControls() {
  // The hot-key panel takes the focus by tabbing and hands it to the hot-key
  // field. No border of its own: the field's frame is the one seen, and the
  // stock font needs the whole height.
  controls_ =
      ControlSet(hwnd_, instance_, settings::kSetLayout, {WC_STATICW, WS_TABSTOP, nullptr, true});
  hotKey_.SetPanel(Control("picHotkey"), instance_);
  for (const auto& layout : settings::kSetLayout) {
    using settings::ControlKind;
    if (layout.kind == ControlKind::TextBox) {
      // The fields take any length; the platform's default stops at
      // 32,767. Files dropped on them fill them in.
      SendMessageW(Control(layout.name), EM_SETLIMITTEXT, 0, 0);
      controls_.TextBox(layout.name).AcceptDrops();
    } else if (layout.kind == ControlKind::Button || layout.kind == ControlKind::CancelButton) {
      // Only a focused button is pressed by Enter, so the focused one is
      // the one framed as the default.
      controls_.Button(layout.name).FrameAsDefaultWhileFocused();
    }
  }

  std::vector<HWND> stack;
  for (const auto* layout : StackingOrder()) stack.push_back(Control(layout->name));
  StackInOrder(stack);
}

void SettingsWindow::LayOut(UINT dpi) {
  dpi_ = dpi;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
  Font font(CreateFontIndirectW(&face));
  std::vector<Font> condensed;

  HDC dc = GetDC(hwnd_);
  HGDIOBJ previousFont = SelectObject(dc, font.Get());
  for (const auto& layout : settings::kSetLayout) {
    const HWND control = Control(layout.name);
    HFONT controlFont = font.Get();
    int width = TwipsToPixels(layout.width, dpi);
    int height = TwipsToPixels(layout.height, dpi);
    if (layout.kind == settings::ControlKind::Label) {
      // A label is as large as its text. The table's widths are the texts
      // in a proportional face; where the face at hand sets a text wider,
      // it is condensed to that width rather than run under its neighbour.
      SIZE text = TextSize(dc, layout.text);
      if (text.cx > width) {
        TEXTMETRICW metric{};
        GetTextMetricsW(dc, &metric);
        LOGFONTW narrow = face;
        narrow.lfWidth = std::max<LONG>(1, MulDiv(metric.tmAveCharWidth, width, text.cx));
        for (; narrow.lfWidth > 1; --narrow.lfWidth) {
          Font candidate(CreateFontIndirectW(&narrow));
          SelectObject(dc, candidate.Get());
          const SIZE fitted = TextSize(dc, layout.text);
          SelectObject(dc, font.Get());
          if (fitted.cx <= width) {
            text = fitted;
            controlFont = candidate.Get();
            condensed.push_back(std::move(candidate));
            break;
          }
        }
      }
      width = text.cx;
      height = text.cy;
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
    SetWindowPos(control, nullptr, TwipsToPixels(layout.left, dpi), TwipsToPixels(layout.top, dpi),
                 width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SelectObject(dc, previousFont);
  ReleaseDC(hwnd_, dc);
  // The controls hold the new fonts before the old ones go.
  font_ = std::move(font);
  condensedFonts_ = std::move(condensed);
  hotKey_.FitToPanel();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void SettingsWindow::CreateToolTips() {
  toolTip_ = MakeToolTipWindow(hwnd_, instance_);
  if (!toolTip_) return;
  for (const auto& layout : settings::kSetLayout) {
    if (layout.toolTip) AddChildToolTip(toolTip_, hwnd_, Control(layout.name), layout.toolTip);
  }
}

void SettingsWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  // Each etched separator is a dark line with a light one right below it,
  // both as thick as a pixel at 96 DPI.
  const int thickness = std::max(1, static_cast<int>(dpi_) / 96);
  for (const auto& line : settings::kSetLines) {
    int top = TwipsToPixels(line.y1, dpi_);
    if (line.sysColor == COLOR_WINDOW) {
      for (const auto& dark : settings::kSetLines) {
        if (dark.sysColor != COLOR_WINDOW && dark.y1 < line.y1 && line.y1 - dark.y1 <= 15) {
          top = std::max(top, TwipsToPixels(dark.y1, dpi_) + thickness);
        }
      }
    }
    const RECT rect{TwipsToPixels(line.x1, dpi_), top, TwipsToPixels(line.x2, dpi_) + thickness,
                    top + thickness};
    FillRect(dc, &rect, GetSysColorBrush(line.sysColor));
  }
  EndPaint(hwnd_, &paint);
}

}  // namespace win32
