// One row of a window's layout table: a control, where it stands (twips in
// its container's client area) and what it shows. Both windows describe
// themselves in such tables; the platform layer builds the real controls
// from them with one builder.
#pragma once

namespace platform {

enum class ControlKind {
  Panel,
  Label,
  Button,
  DefaultButton,  // pressed by Enter
  CancelButton,   // pressed by Esc
  ComboBox,
  ListBox,
  TextBox,
};

struct ControlLayout {
  const char* name;
  ControlKind kind;
  int left, top, width, height;
  const wchar_t* text;
  int tabIndex;                  // -1: never takes the focus
  const char* parent = nullptr;  // the panel it lies in; nullptr: the window itself
  const wchar_t* toolTip = nullptr;
};

}  // namespace platform
