// The launcher's pictures, drawn anew at any DPI. Each routine paints into a
// canvas at an offset; scale is the window's DPI over 96, and the designs
// are laid out in pixels at 96 DPI.
#pragma once

#include "launcher/win32/canvas.h"

namespace win32 {

// The whole client area: the light-blue title band fading to white on the
// right, the body's light-grey to cream gradient, and a thin outline that
// keeps the frameless strip apart from whatever lies behind it.
Canvas DrawLauncherBackground(int width, int height, double scale);

// The about panel's strip, like the body, at (x, y) in the panel.
void DrawAboutStrip(Canvas& canvas, int x, int y, int width, int height, double scale);

// The run button (a play triangle) and the settings button (a ball), in the
// box of their label, raised or pressed.
void DrawRunButton(Canvas& canvas, int x, int y, int size, double scale, bool pressed);
void DrawSettingsButton(Canvas& canvas, int x, int y, int size, double scale, bool pressed);

// Stand-ins for the symbol font's minimise bar and close cross, for systems
// that lack the font; em is the font's height in pixels.
void DrawMinimiseGlyph(Canvas& canvas, double x, double y, double em, Rgb colour);
void DrawCloseGlyph(Canvas& canvas, double x, double y, double em, Rgb colour);

// The body's colour at x, so pictures can sit on it seamlessly.
Rgb BodyColour(double x, double width);

// Height of the title band in pixels at 96 DPI.
inline constexpr double kTitleBandHeight = 17;

}  // namespace win32
