// Builds a window's child controls from its layout table, and registers the
// program's window classes: one way for both windows.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/control_layout.h"

namespace win32 {

// What a window class of this program looks like.
struct WindowClass {
  const wchar_t* name;
  WNDPROC procedure;
  HBRUSH background;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
};

// Registers the class in this module; registering a name again does
// nothing (every settings window registers its class anew).
void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass);

// How one window's panels and labels are made: the class and extra style
// of its panels and the creation parameter they get, and whether its labels
// are child windows (static controls) or painted by the window itself.
struct ControlClasses {
  const wchar_t* panelClass = L"Static";
  DWORD panelStyle = 0;
  void* panelParam = nullptr;
  bool labelsAreWindows = true;
};

// Creates a child window for every control of layout that is one, in the
// container its parent names, at no size yet (the window lays them out at
// its DPI). Identifiers: IDOK for the default button, IDCANCEL for the
// cancel button (so that Enter and Esc press them), else 100 and up by the
// row. Siblings clip one another, so overlapping controls paint in their
// stacking order. Returns the controls by name.
std::map<std::string, HWND> CreateControls(HWND window, HINSTANCE instance,
                                           std::span<const platform::ControlLayout> layout,
                                           const ControlClasses& classes);

// Restacks controls from the top down in the order given; the dialog
// manager tabs in stacking order.
void StackInOrder(const std::vector<HWND>& controls, HWND above = HWND_TOP);

}  // namespace win32
