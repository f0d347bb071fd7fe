#include "launcher/win32/launcher_art.h"

#include <algorithm>
#include <cmath>

namespace win32 {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBandLeft{122, 178, 232};
constexpr Rgb kBandMiddle{190, 220, 247};
constexpr Rgb kBandEdge{150, 190, 228};
constexpr Rgb kBodyLeft{234, 236, 240};
constexpr Rgb kBodyRight{253, 248, 230};
constexpr Rgb kOutline{132, 160, 190};
constexpr Rgb kStripEdge{196, 210, 226};

Canvas::Shader Flat(Rgb colour) {
  return [colour](double, double) { return colour; };
}

// The outline's left, right and bottom sides, which the about panel covers
// and therefore draws again.
void DrawOutlineSides(Canvas& canvas, int x, int y, int width, int height, double scale) {
  const double w = std::max(1.0, std::round(scale));
  canvas.FillRect(x, y, x + w, y + height, kOutline);
  canvas.FillRect(x + width - w, y, x + width, y + height, kOutline);
  canvas.FillRect(x, y + height - w, x + width, y + height, kOutline);
}

}  // namespace

Rgb BodyColour(double x, double width) {
  return Mix(kBodyLeft, kBodyRight, width > 0 ? x / width : 0);
}

Canvas DrawLauncherBackground(int width, int height, double scale) {
  Canvas canvas(width, height, kWhite);
  const double band = std::round(kTitleBandHeight * scale);
  canvas.FillRect(0, band, width, height, [&](double x, double) { return BodyColour(x, width); });

  // The band: blue on the left, fading to white by the glyphs on the right,
  // with a soft sheen over its upper half.
  canvas.FillRect(0, 0, width, band, [&](double x, double y) {
    const double t = x / width;
    Rgb colour = t < 0.45 ? Mix(kBandLeft, kBandMiddle, t / 0.45)
                          : Mix(kBandMiddle, kWhite, (t - 0.45) / 0.55);
    const double sheen = y < band * 0.5 ? 0.28 * (1 - y / (band * 0.5)) + 0.12 : 0;
    return Mix(colour, kWhite, sheen);
  });
  const double line = std::max(1.0, std::round(scale));
  canvas.FillRect(0, band - line, width, band,
                  [&](double x, double) { return Mix(kBandEdge, kStripEdge, x / width); });

  const double w = line;
  canvas.FillRect(0, 0, width, w, kOutline);
  DrawOutlineSides(canvas, 0, 0, width, height, scale);
  return canvas;
}

void DrawAboutStrip(Canvas& canvas, int x, int y, int width, int height, double scale) {
  canvas.FillRect(x, y, x + width, y + height,
                  [&](double px, double) { return BodyColour(px - x, width); });
  const double line = std::max(1.0, std::round(scale));
  canvas.FillRect(x, y, x + width, y + line, kStripEdge);
  DrawOutlineSides(canvas, x, y, width, height, scale);
}

void DrawRunButton(Canvas& canvas, int x, int y, int size, double scale, bool pressed) {
  const double s = size / 28.0;  // the design is 28 pixels square
  const double left = x + 0.5 * s, top = y + 0.5 * s, right = x + size - 0.5 * s,
               bottom = y + size - 0.5 * s;
  const double radius = 5 * s;
  const double edge = std::max(1.0, std::round(scale));
  canvas.FillRoundRect(left, top, right, bottom, radius,
                       Flat(pressed ? Rgb{120, 164, 208} : Rgb{176, 196, 218}));
  canvas.FillRoundRect(
      left + edge, top + edge, right - edge, bottom - edge, radius - edge, [&](double, double py) {
        const double t = (py - top) / (bottom - top);
        return pressed ? Mix({226, 238, 250}, {246, 251, 255}, t) : Mix(kWhite, {244, 247, 251}, t);
      });

  // Pressed, the triangle sinks a little and its shadow all but goes.
  const double shift = pressed ? 0.8 * s : 0;
  auto triangle = [&](double dx, double dy) {
    return std::vector<PointF>{{x + (10.5 + dx) * s + shift, y + (7 + dy) * s + shift},
                               {x + (21.5 + dx) * s + shift, y + (14 + dy) * s + shift},
                               {x + (10.5 + dx) * s + shift, y + (21 + dy) * s + shift}};
  };
  const Rgb shadow{112, 112, 112};
  canvas.FillPolygon(triangle(2.0, 2.2), Flat(shadow), pressed ? 0.06 : 0.16);
  canvas.FillPolygon(triangle(1.2, 1.3), Flat(shadow), pressed ? 0.10 : 0.38);
  canvas.FillPolygon(triangle(0, 0), [&](double px, double py) {
    const double t = ((px - x) / s - 10.5 + (py - y) / s - 7) / 25;
    return pressed ? Mix({110, 186, 246}, {40, 214, 232}, t) : Mix({44, 92, 186}, {14, 40, 118}, t);
  });
}

void DrawSettingsButton(Canvas& canvas, int x, int y, int size, double scale, bool pressed) {
  (void)scale;
  const double s = size / 12.0;  // the design is 12 pixels square
  canvas.FillRoundRect(x, y, x + size, y + size, 2.5 * s, Flat({222, 225, 230}));
  const double cx = x + 6 * s, cy = y + 6 * s, r = 4.6 * s;
  const Rgb light = pressed ? Rgb{214, 236, 255} : Rgb{250, 250, 250};
  const Rgb body = pressed ? Rgb{52, 124, 220} : Rgb{138, 142, 150};
  const Rgb rim = pressed ? Rgb{22, 70, 156} : Rgb{92, 96, 104};
  canvas.FillEllipse(cx, cy, r, r, [&](double px, double py) {
    // Lit from the upper left.
    const double d = std::hypot(px - (cx - 1.6 * s), py - (cy - 1.8 * s)) / (r * 1.6);
    return d < 0.45 ? Mix(light, body, d / 0.45) : Mix(body, rim, (d - 0.45) / 0.55);
  });
}

void DrawMinimiseGlyph(Canvas& canvas, double x, double y, double em, Rgb colour) {
  canvas.FillRect(x + 0.17 * em, y + 0.66 * em, x + 0.67 * em,
                  y + 0.66 * em + std::max(1.0, 0.16 * em), colour);
}

void DrawCloseGlyph(Canvas& canvas, double x, double y, double em, Rgb colour) {
  const double a = 0.2 * em, b = 0.72 * em, width = std::max(1.2, 0.15 * em);
  canvas.Stroke({x + a, y + a + 0.1 * em}, {x + b, y + b + 0.1 * em}, width, colour);
  canvas.Stroke({x + b, y + a + 0.1 * em}, {x + a, y + b + 0.1 * em}, width, colour);
}

}  // namespace win32
