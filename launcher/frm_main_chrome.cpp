// The launcher's own chrome: Alt shortcuts, dragging by the title band, the
// pressed looks of the picture buttons and file drops on the command box.
#include <cmath>

#include "launcher/frm_main.h"

namespace launcher {

namespace {

// Nearest whole twip, halves to the even neighbour (the default rounding
// mode of the floating-point environment, which nothing here changes).
std::int32_t WholeTwips(double twips) { return static_cast<std::int32_t>(std::nearbyint(twips)); }

}  // namespace

void frmMain::Form_KeyDown(int keyCode, int shift) {
  // Only the Alt bit counts, so Ctrl+Alt+S opens the settings as well. The
  // key still reaches the focused control afterwards.
  if ((shift & platform::kAltMask) == 0) return;
  if (keyCode == platform::kVkS) {
    lblSet_Click();
  } else if (keyCode == platform::kVkX) {
    lblEnd_Click();
  }
}

void frmMain::lblBlue_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
  Dragging_ = true;
  DragStartX_ = WholeTwips(x);
  DragStartY_ = WholeTwips(y);
}

void frmMain::lblBlue_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  if (!Dragging_) return;
  // The window follows the pointer, so the pointer comes back to the press
  // point after each step and x - DragStartX is the travel since the last one.
  form.Move(WholeTwips(form.Left() + x - DragStartX_), WholeTwips(form.Top() + y - DragStartY_));
}

void frmMain::lblBlue_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  Dragging_ = false;
}

// The raised picture of each pair lies on top; hiding it uncovers the
// pressed one beneath.
void frmMain::ShowRunPressed(int pressed) { imgRunRaised.SetVisible(pressed == 0); }

void frmMain::ShowSetPressed(int pressed) { imgSetRaised.SetVisible(pressed == 0); }

void frmMain::cmbRun_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  // Replaces the whole text, blanks and all; setting the text runs
  // completion like any other change, and nothing is launched.
  cmbRun.SetText(files.front());
}

}  // namespace launcher
