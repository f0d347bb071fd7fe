// Twips to pixels with a window's own DPI.
#pragma once

#include <windows.h>

namespace win32 {

UINT WindowDpi(HWND hwnd);  // 96 when the system cannot tell
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
inline int PixelsToTwips(int pixels, UINT dpi) {
  return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

}  // namespace win32
