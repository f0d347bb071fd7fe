// A small software canvas for the launcher's pictures: opaque 32-bit pixels
// laid out as a top-down DIB (0x00RRGGBB), shapes anti-aliased by
// supersampling. The pictures are drawn in code at the window's DPI, so they
// stay crisp at any scale and the program carries no image files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace win32 {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// t in [0, 1]: 0 gives a, 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

struct PointF {
  double x = 0, y = 0;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgb fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  Rgb At(int x, int y) const;

  // Colour as a function of the pixel centre's position.
  using Shader = std::function<Rgb(double x, double y)>;

  // Rectangles in pixel coordinates; fractional edges are covered partly.
  void FillRect(double left, double top, double right, double bottom, Rgb colour, double alpha = 1);
  void FillRect(double left, double top, double right, double bottom, const Shader& shader,
                double alpha = 1);
  void FillPolygon(const std::vector<PointF>& points, const Shader& shader, double alpha = 1);
  void FillRoundRect(double left, double top, double right, double bottom, double radius,
                     const Shader& shader, double alpha = 1);
  void FillEllipse(double cx, double cy, double rx, double ry, const Shader& shader,
                   double alpha = 1);
  // A straight stroke of the given width with square ends.
  void Stroke(PointF from, PointF to, double width, Rgb colour, double alpha = 1);

  // Copies another canvas with its top-left corner at (x, y), clipped.
  void Draw(const Canvas& picture, int x, int y);

 private:
  void Blend(int x, int y, Rgb colour, double alpha);
  // Covers the bounding box, sampling inside() on a 4 x 4 grid per pixel.
  void FillShape(double left, double top, double right, double bottom,
                 const std::function<bool(double, double)>& inside, const Shader& shader,
                 double alpha);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace win32
