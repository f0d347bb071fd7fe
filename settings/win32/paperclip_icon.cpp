#include "settings/win32/paperclip_icon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/win32/gdi_handles.h"

namespace win32 {

namespace {

// The wire of a gem clip on a 32-unit grid: three straight runs joined by
// half circles, innermost end first.
std::vector<POINT> WirePoints(double scale) {
  struct Run {
    double x, y;       // where the straight run ends
    double cx, cy, r;  // then a half circle about (cx, cy); r 0 for none
  };
  const Run runs[] = {
      {18, 22, 15, 22, 3},
      {12, 7, 16.5, 7, 4.5},
      {21, 25, 15, 25, 6},
      {9, 11, 0, 0, 0},
  };
  std::vector<POINT> points;
  auto add = [&](double x, double y) {
    points.push_back(
        {static_cast<LONG>(std::lround(x * scale)), static_cast<LONG>(std::lround(y * scale))});
  };
  add(18, 11);
  for (const Run& run : runs) {
    add(run.x, run.y);
    if (run.r == 0) continue;
    // From the run's end clockwise round to the other side of the centre.
    const double start = std::atan2(run.y - run.cy, run.x - run.cx);
    for (int step = 1; step <= 24; ++step) {
      const double angle = start + 3.14159265358979 * step / 24;
      add(run.cx + run.r * std::cos(angle), run.cy + run.r * std::sin(angle));
    }
  }
  return points;
}

}  // namespace

Icon MakePaperclipIcon(int size) {
  // Drawn white on black four times larger, then averaged down: the
  // coverage of each pixel becomes its opacity, so the wire is smooth.
  constexpr int kScale = 4;
  const int big = size * kScale;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = big;
  info.bmiHeader.biHeight = -big;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bigBits = nullptr;
  Bitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bigBits, nullptr, 0));
  if (!canvas) return Icon();

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, canvas.Get());
  const int penWidth = std::max(kScale, static_cast<int>(std::lround(size / 14.0 * kScale)));
  LOGBRUSH brush{BS_SOLID, RGB(255, 255, 255), 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, penWidth,
                          &brush, 0, nullptr);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const std::vector<POINT> wire = WirePoints(static_cast<double>(big) / 32.0);
  Polyline(dc, wire.data(), static_cast<int>(wire.size()));
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  GdiFlush();

  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  void* bits = nullptr;
  Bitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  Bitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  if (!color || !mask) return Icon();
  const auto* source = static_cast<const std::uint32_t*>(bigBits);
  auto* target = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      unsigned sum = 0;
      for (int dy = 0; dy < kScale; ++dy) {
        for (int dx = 0; dx < kScale; ++dx) {
          sum += source[(y * kScale + dy) * big + x * kScale + dx] & 0xFF;
        }
      }
      const unsigned alpha = sum / (kScale * kScale);
      // Steel grey; icons take straight, not premultiplied, alpha.
      target[y * size + x] = (alpha << 24) | 0x5A6880u;
    }
  }
  ICONINFO icon{};
  icon.fIcon = TRUE;
  icon.hbmColor = color.Get();
  icon.hbmMask = mask.Get();
  return Icon(CreateIconIndirect(&icon));  // copies both bitmaps
}

}  // namespace win32
