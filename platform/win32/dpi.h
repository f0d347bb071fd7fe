// Twips to pixels with a window's own DPI, and the size of a rectangle.
#pragma once

#include <windows.h>

namespace win32 {

UINT WindowDpi(HWND hwnd);  // 96 when the system cannot tell
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
inline int PixelsToTwips(int pixels, UINT dpi) {
  return MulDiv(pixels, 1440, static_cast<int>(dpi));
}
inline int Width(const RECT& rect) { return rect.right - rect.left; }
inline int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace win32
