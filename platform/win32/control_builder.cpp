#include "platform/win32/control_builder.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr int kFirstControlId = 100;

struct ChildStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle = 0;
};

ChildStyle StyleOf(const platform::ControlLayout& layout, const ControlClasses& classes) {
  using platform::ControlKind;
  switch (layout.kind) {
    case ControlKind::Panel:
      return {classes.panelClass, WS_CLIPCHILDREN | classes.panelStyle};
    case ControlKind::Label:
      return {WC_STATICW, SS_NOTIFY | SS_NOPREFIX};  // SS_NOTIFY lets a tooltip see the mouse
    case ControlKind::Button:
    case ControlKind::CancelButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::DefaultButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
    case ControlKind::TextBox:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      // A list that never takes the focus is never reached by the user
      // either: it only holds items beneath another control.
      return {WC_LISTBOXW,
              static_cast<DWORD>(WS_VSCROLL | LBS_NOINTEGRALHEIGHT |
                                 (layout.tabIndex >= 0 ? WS_TABSTOP | LBS_NOTIFY : WS_DISABLED)),
              WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0};
}

int ControlId(const platform::ControlLayout& layout, int row) {
  if (layout.kind == platform::ControlKind::DefaultButton) return IDOK;
  if (layout.kind == platform::ControlKind::CancelButton) return IDCANCEL;
  return kFirstControlId + row;
}

}  // namespace

void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass) {
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof registered;
  registered.lpfnWndProc = windowClass.procedure;
  registered.hInstance = instance;
  registered.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  registered.hbrBackground = windowClass.background;
  registered.hIcon = windowClass.icon;
  registered.hIconSm = windowClass.smallIcon;
  registered.lpszClassName = windowClass.name;
  RegisterClassExW(&registered);  // fails harmlessly when already registered
}

std::map<std::string, HWND> CreateControls(HWND window, HINSTANCE instance,
                                           std::span<const platform::ControlLayout> layout,
                                           const ControlClasses& classes) {
  std::map<std::string, HWND> controls;
  int row = 0;
  for (const platform::ControlLayout& control : layout) {
    const int id = ControlId(control, row++);
    if (control.kind == platform::ControlKind::Label && !classes.labelsAreWindows) continue;
    const ChildStyle child = StyleOf(control, classes);
    const bool panel = control.kind == platform::ControlKind::Panel;
    HWND container = control.parent ? controls[control.parent] : window;
    controls[control.name] =
        CreateWindowExW(child.exStyle, child.windowClass, control.text,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style, 0, 0, 0, 0,
                        container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                        panel ? classes.panelParam : nullptr);
  }
  return controls;
}

void StackInOrder(const std::vector<HWND>& controls, HWND above) {
  for (HWND control : controls) {
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
}

}  // namespace win32
