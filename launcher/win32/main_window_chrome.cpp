// How the launcher window paints its drawn labels and picture buttons, and
// how the mouse reaches them: hit tests in stacking order, and a press that
// keeps the mouse until its buttons are released, wherever that happens.
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "launcher/frm_main_layout.h"
#include "launcher/win32/launcher_art.h"
#include "launcher/win32/main_window.h"
#include "platform/win32/dpi.h"

namespace win32 {

namespace {

// The platform's mouse arguments: buttons 1 left, 2 right, 4 middle; shift
// state 1 Shift, 2 Ctrl, 4 Alt.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

int ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return kMiddleButton;
    default:
      return 0;
  }
}

int HeldButtons(WPARAM keys) {
  int buttons = 0;
  if (keys & MK_LBUTTON) buttons |= kLeftButton;
  if (keys & MK_RBUTTON) buttons |= kRightButton;
  if (keys & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

void RaiseMouse(const platform::MouseEvent& event, int button, int shift, double x, double y) {
  if (event) event(button, shift, x, y);
}

// Paints a canvas onto a device context through a DIB section, so GDI text
// can then be drawn over the pixels before they reach the screen.
class CanvasDc {
 public:
  explicit CanvasDc(const Canvas& canvas) : width_(canvas.Width()), height_(canvas.Height()) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down, as the canvas is
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) std::memcpy(bits, canvas.Pixels(), static_cast<std::size_t>(width_) * height_ * 4);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_.Get());
    SetBkMode(dc_, TRANSPARENT);
  }
  ~CanvasDc() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
  }
  CanvasDc(const CanvasDc&) = delete;
  CanvasDc& operator=(const CanvasDc&) = delete;
  HDC Get() const { return dc_; }
  void CopyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= platform::kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= platform::kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= platform::kAltMask;
  return shift;
}

void MainWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const double scale = dpi_ / 96.0;
  if (background_.Width() != Width(client) || background_.Height() != Height(client)) {
    background_ = DrawLauncherBackground(Width(client), Height(client), scale);
  }
  Canvas frame = background_;
  // Only the upper picture of each pair is ever hidden, uncovering the
  // pressed one beneath.
  const RECT run = imgRunRaised_.Rect(dpi_);
  DrawRunButton(frame, run.left, run.top, Width(run), scale, !imgRunRaised_.Visible());
  const RECT set = imgSetRaised_.Rect(dpi_);
  DrawSettingsButton(frame, set.left, set.top, Width(set), scale, !imgSetRaised_.Visible());
  if (!fonts_.symbolPresent) {
    const DrawnLabel& lblHide = Label("lblHide");
    const DrawnLabel& lblEnd = Label("lblEnd");
    const double em = MulDiv(9, static_cast<int>(dpi_), 72);
    const Rgb ink{GetRValue(lblHide.textColour), GetGValue(lblHide.textColour),
                  GetBValue(lblHide.textColour)};
    const RECT hide = lblHide.Rect(dpi_);
    const RECT end = lblEnd.Rect(dpi_);
    if (lblHide.Visible()) DrawMinimiseGlyph(frame, hide.left, hide.top, em, ink);
    if (lblEnd.Visible()) DrawCloseGlyph(frame, end.left, end.top, em, ink);
  }
  CanvasDc canvasDc(frame);
  DrawLabels(canvasDc.Get(), windowLabels_);
  canvasDc.CopyTo(dc);
  EndPaint(hwnd_, &paint);
}

void MainWindow::PaintPanel(HWND panel) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(panel, &paint);
  RECT client{};
  GetClientRect(panel, &client);
  RECT window{};
  GetClientRect(hwnd_, &window);
  Canvas frame(Width(client), Height(client), {255, 255, 255});
  // The strip reaches down to the window's bottom edge when the panel is shown.
  const int stripHeight = Height(window) - TwipsToPixels(launcher::kAboutShownTop, dpi_);
  DrawAboutStrip(frame, 0, 0, std::min(Width(client), Width(window)),
                 std::min(Height(client), stripHeight), dpi_ / 96.0);
  CanvasDc canvasDc(frame);
  DrawLabels(canvasDc.Get(), panelLabels_);
  canvasDc.CopyTo(dc);
  EndPaint(panel, &paint);
}

// Bottom of the stack first, so upper labels end up on top.
void MainWindow::DrawLabels(HDC dc, const std::vector<DrawnLabel*>& stack) {
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    const DrawnLabel& label = **it;
    if (!label.Visible()) continue;
    RECT rect = label.Rect(dpi_);
    if (label.opaque) {
      Brush brush(CreateSolidBrush(label.backColour));
      FillRect(dc, &rect, brush.Get());
    }
    const std::wstring caption = label.Caption();
    if (caption.empty()) continue;
    if (label.font == LabelFont::Symbol && !fonts_.symbolPresent) continue;  // drawn as shapes
    const HGDIOBJ old = SelectObject(dc, FontFor(label.font));
    SetTextColor(dc, label.textColour);
    UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP;
    // Text sits in the middle of its box, so faces with a taller line than
    // the box was measured for still line up; symbols keep to the top.
    if (label.font != LabelFont::Symbol) format |= DT_VCENTER;
    if (label.centred) format |= DT_CENTER;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
    SelectObject(dc, old);
  }
}

DrawnLabel* MainWindow::HitTest(HWND source, POINT point) const {
  const std::vector<DrawnLabel*>& stack = source == hwnd_ ? windowLabels_ : panelLabels_;
  for (DrawnLabel* label : stack) {
    const RECT rect = label->Rect(dpi_);
    if (label->Visible() && label->Enabled() && PtInRect(&rect, point)) return label;
  }
  return nullptr;
}

// Returns true when the message was a mouse message of a drawn label.
bool MainWindow::OnMouse(HWND source, UINT message, WPARAM wParam, LPARAM lParam) {
  // Every message the window does not handle itself passes here; reading
  // the keyboard's state for each of them made every window operation
  // three calls slower.
  if (message < WM_MOUSEFIRST || message > WM_MOUSELAST) return false;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int shift = ShiftState();
  auto twips = [&](const DrawnLabel& label, LONG pixels, bool horizontal) {
    return pixels * 1440.0 / dpi_ - (horizontal ? label.LeftTwips() : label.TopTwips());
  };
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      if (!capture_.label) {
        DrawnLabel* label = HitTest(source, point);
        if (!label) return false;
        capture_ = {label, source, 0};
        SetCapture(source);
      }
      const int button = ButtonOf(message);
      capture_.buttons |= button;
      DrawnLabel& label = *capture_.label;
      RaiseMouse(label.MouseDown, button, shift, twips(label, point.x, true),
                 twips(label, point.y, false));
      return true;
    }
    case WM_MOUSEMOVE: {
      DrawnLabel* label = capture_.label ? capture_.label : HitTest(source, point);
      if (!label) return false;
      RaiseMouse(label->MouseMove, HeldButtons(wParam), shift, twips(*label, point.x, true),
                 twips(*label, point.y, false));
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = ButtonOf(message);
      if (!capture_.label || !(capture_.buttons & button)) return false;
      EndCapture(button, shift, point, true);
      return true;
    }
    default:
      return false;
  }
}

// A release ends the press for that button; the last one hands the mouse
// back and, for the left button over the label, makes the click, which
// comes after the release so a pressed look is gone before the action runs.
void MainWindow::EndCapture(int button, int shift, POINT point, bool released) {
  DrawnLabel& label = *capture_.label;
  capture_.buttons &= ~button;
  const double x = point.x * 1440.0 / dpi_ - label.LeftTwips();
  const double y = point.y * 1440.0 / dpi_ - label.TopTwips();
  RaiseMouse(label.MouseUp, button, shift, x, y);
  if (capture_.buttons != 0 && released) return;
  capture_ = {};
  if (GetCapture() == label.Container()) ReleaseCapture();
  const RECT rect = label.Rect(dpi_);
  if (released && button == kLeftButton && PtInRect(&rect, point) && label.Click) {
    label.Click();
  }
}

}  // namespace win32
