#include "launcher/win32/canvas.h"

#include <algorithm>
#include <cmath>

namespace win32 {

namespace {

constexpr int kSamples = 4;  // per axis: 16 samples a pixel

std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Crossing test, which suits the convex and simple shapes drawn here.
bool InsidePolygon(const std::vector<PointF>& points, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const PointF& a = points[i];
    const PointF& b = points[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
          Channel(a.b + (b.b - a.b) * t)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              (std::uint32_t{fill.r} << 16) | (std::uint32_t{fill.g} << 8) | fill.b) {}

Rgb Canvas::At(int x, int y) const {
  const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                  static_cast<std::size_t>(x)];
  return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
          static_cast<std::uint8_t>(p)};
}

void Canvas::Blend(int x, int y, Rgb colour, double alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
  const Rgb mixed = Mix(At(x, y), colour, alpha);
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] =
      (std::uint32_t{mixed.r} << 16) | (std::uint32_t{mixed.g} << 8) | mixed.b;
}

void Canvas::FillRect(double left, double top, double right, double bottom, Rgb colour,
                      double alpha) {
  FillRect(
      left, top, right, bottom, [&](double, double) { return colour; }, alpha);
}

void Canvas::FillRect(double left, double top, double right, double bottom, const Shader& shader,
                      double alpha) {
  const int x0 = std::max(0, static_cast<int>(std::floor(left)));
  const int y0 = std::max(0, static_cast<int>(std::floor(top)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(right)));
  const int y1 = std::min(height_, static_cast<int>(std::ceil(bottom)));
  for (int y = y0; y < y1; ++y) {
    const double coverY = std::min<double>(y + 1, bottom) - std::max<double>(y, top);
    for (int x = x0; x < x1; ++x) {
      const double coverX = std::min<double>(x + 1, right) - std::max<double>(x, left);
      Blend(x, y, shader(x + 0.5, y + 0.5), alpha * coverX * coverY);
    }
  }
}

void Canvas::FillShape(double left, double top, double right, double bottom,
                       const std::function<bool(double, double)>& inside, const Shader& shader,
                       double alpha) {
  const int x0 = std::max(0, static_cast<int>(std::floor(left)));
  const int y0 = std::max(0, static_cast<int>(std::floor(top)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(right)));
  const int y1 = std::min(height_, static_cast<int>(std::ceil(bottom)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        }
      }
      if (hits > 0) Blend(x, y, shader(x + 0.5, y + 0.5), alpha * hits / (kSamples * kSamples));
    }
  }
}

void Canvas::FillPolygon(const std::vector<PointF>& points, const Shader& shader, double alpha) {
  if (points.size() < 3) return;
  double left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
  for (const PointF& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  FillShape(
      left, top, right, bottom, [&](double x, double y) { return InsidePolygon(points, x, y); },
      shader, alpha);
}

void Canvas::FillRoundRect(double left, double top, double right, double bottom, double radius,
                           const Shader& shader, double alpha) {
  radius = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  FillShape(
      left, top, right, bottom,
      [&](double x, double y) {
        // Distance from the inner rectangle that the corners round off.
        const double dx = std::max({left + radius - x, 0.0, x - (right - radius)});
        const double dy = std::max({top + radius - y, 0.0, y - (bottom - radius)});
        return x >= left && x <= right && y >= top && y <= bottom &&
               dx * dx + dy * dy <= radius * radius;
      },
      shader, alpha);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, const Shader& shader,
                         double alpha) {
  if (rx <= 0 || ry <= 0) return;
  FillShape(
      cx - rx, cy - ry, cx + rx, cy + ry,
      [&](double x, double y) {
        const double dx = (x - cx) / rx;
        const double dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1;
      },
      shader, alpha);
}

void Canvas::Stroke(PointF from, PointF to, double width, Rgb colour, double alpha) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  if (length <= 0) return;
  // Half-width along the normal and the direction (square ends).
  const double nx = -(to.y - from.y) / length * width / 2;
  const double ny = (to.x - from.x) / length * width / 2;
  const double dx = (to.x - from.x) / length * width / 2;
  const double dy = (to.y - from.y) / length * width / 2;
  FillPolygon(
      {{from.x - dx + nx, from.y - dy + ny},
       {to.x + dx + nx, to.y + dy + ny},
       {to.x + dx - nx, to.y + dy - ny},
       {from.x - dx - nx, from.y - dy - ny}},
      [&](double, double) { return colour; }, alpha);
}

void Canvas::Draw(const Canvas& picture, int x, int y) {
  for (int row = 0; row < picture.height_; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= height_) continue;
    for (int column = 0; column < picture.width_; ++column) {
      const int tx = x + column;
      if (tx < 0 || tx >= width_) continue;
      pixels_[static_cast<std::size_t>(ty) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(tx)] =
          picture.pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.width_) +
                          static_cast<std::size_t>(column)];
    }
  }
}

}  // namespace win32
