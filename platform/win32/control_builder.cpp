#include "platform/win32/control_builder.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <utility>

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

ControlSet::ControlSet(HWND window, HINSTANCE instance,
                       std::span<const platform::ControlLayout> layout,
                       const ControlClasses& classes) {
  using platform::ControlKind;
  entries_.reserve(layout.size());
  int row = 0;
  for (const platform::ControlLayout& control : layout) {
    const int id = ControlId(control, row++);
    HWND container = control.parent ? Handle(control.parent) : window;
    if (control.kind == ControlKind::Label && !classes.labelsAreWindows) {
      auto label = std::make_unique<DrawnLabel>();
      label->Place(container, control.left, control.top, control.width, control.height);
      label->SetCaption(control.text);
      entries_.push_back({&control, nullptr, Made::Label, std::move(label)});
      continue;
    }
    const ChildStyle child = StyleOf(control, classes);
    const bool panel = control.kind == ControlKind::Panel;
    HWND hwnd = CreateWindowExW(child.exStyle, child.windowClass, control.text,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style, 0, 0, 0, 0,
                                container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                instance, panel ? classes.panelParam : nullptr);
    Entry entry{&control, hwnd, Made::None, nullptr};
    auto make = [&](Made made, auto object) {
      object->Attach(hwnd);
      entry.made = made;
      entry.control = std::move(object);
    };
    switch (control.kind) {
      case ControlKind::Button:
      case ControlKind::DefaultButton:
      case ControlKind::CancelButton:
        make(Made::Button, std::make_unique<WinButton>());
        break;
      case ControlKind::Panel:
        make(Made::Panel, std::make_unique<WinPanel>());
        break;
      case ControlKind::TextBox:
        make(Made::TextBox, std::make_unique<WinTextBox>());
        break;
      case ControlKind::ComboBox:
        make(Made::ComboBox, std::make_unique<WinComboBox>());
        break;
      case ControlKind::ListBox:
        if (control.tabIndex >= 0) {
          make(Made::List, std::make_unique<WinListBox>());
        } else {
          make(Made::CoveredList, std::make_unique<CoveredListBox>());
        }
        break;
      case ControlKind::Label:
        break;  // a static control: nothing to raise
    }
    entries_.push_back(std::move(entry));
  }
}

const ControlSet::Entry* ControlSet::Lookup(std::string_view name) const {
  for (const Entry& entry : entries_) {
    if (name == entry.row->name) return &entry;
  }
  return nullptr;
}

const ControlSet::Entry& ControlSet::Find(std::string_view name) const {
  const Entry* entry = Lookup(name);
  if (!entry) std::abort();  // a name missing from the table: no control to act on
  return *entry;
}

const ControlSet::Entry& ControlSet::Find(std::string_view name, Made made) const {
  const Entry& entry = Find(name);
  if (entry.made != made) std::abort();  // asked for as a kind it is not
  return entry;
}

HWND ControlSet::Handle(std::string_view name) const {
  const Entry* entry = Lookup(name);
  return entry ? entry->hwnd : nullptr;
}

std::vector<DrawnLabel*> ControlSet::LabelsIn(HWND container) const {
  std::vector<DrawnLabel*> labels;
  for (const Entry& entry : entries_) {
    if (entry.made != Made::Label) continue;
    auto* label = static_cast<DrawnLabel*>(entry.control.get());
    if (label->Container() == container) labels.push_back(label);
  }
  return labels;
}

void StackInOrder(const std::vector<HWND>& controls, HWND above) {
  for (HWND control : controls) {
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
}

}  // namespace win32
