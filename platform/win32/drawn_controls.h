// Labels and pictures that their container paints itself instead of being
// child windows: they must look transparent over the painted background,
// which child windows cannot do without flicker. The container also decides
// which of them the mouse is on, from their rectangles and stacking order.
#pragma once

#include <windows.h>

#include <string>

#include "platform/controls.h"
#include "platform/win32/dpi.h"

namespace win32 {

template <class Base>
class DrawnControl : public Base {
 public:
  // The window that paints this control; positions are twips in its client area.
  void Place(HWND container, int left, int top, int width, int height) {
    container_ = container;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }
  HWND Container() const { return container_; }
  RECT Rect(UINT dpi) const {
    return {TwipsToPixels(left_, dpi), TwipsToPixels(top_, dpi), TwipsToPixels(left_ + width_, dpi),
            TwipsToPixels(top_ + height_, dpi)};
  }
  int LeftTwips() const { return left_; }
  int TopTwips() const { return top_; }
  int WidthTwips() const { return width_; }
  int HeightTwips() const { return height_; }

  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVisible(bool visible) override {
    if (visible == visible_) return;
    visible_ = visible;
    Invalidate();
  }
  bool Visible() const override { return visible_; }
  void SetFocus() override {}  // labels and pictures take no focus

 protected:
  void Invalidate() const {
    if (!container_) return;
    const RECT rect = Rect(WindowDpi(container_));
    InvalidateRect(container_, &rect, FALSE);
  }

 private:
  HWND container_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
};

class DrawnPicture : public DrawnControl<platform::Control> {};

enum class LabelFont { Window, Title, Symbol };

class DrawnLabel : public DrawnControl<platform::Label> {
 public:
  void SetCaption(const std::wstring& caption) override {
    caption_ = caption;
    // Captions that grow past the box (sized to their text) repaint the row.
    if (Container()) InvalidateRect(Container(), nullptr, FALSE);
  }
  std::wstring Caption() const override { return caption_; }

  LabelFont font = LabelFont::Window;
  COLORREF textColour = GetSysColor(COLOR_BTNTEXT);
  bool opaque = false;
  COLORREF backColour = RGB(255, 255, 255);
  bool centred = false;

 private:
  std::wstring caption_;
};

}  // namespace win32
