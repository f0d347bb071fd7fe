// Builds a window's child controls from its layout table, and registers the
// program's window classes: one way for both windows.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/control_layout.h"
#include "platform/win32/drawn_controls.h"
#include "platform/win32/win_controls.h"

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

// The controls of one window, made from its layout table: for every row a
// child window (unless it is a label its window paints) and the control
// object over it, which raises the row's events. A list that never takes
// the focus only holds items beneath another control: a CoveredListBox.
// Child windows are made in the container the row's parent names, at no
// size yet (the window lays them out at its DPI). Identifiers: IDOK for
// the default button, IDCANCEL for the cancel button (so that Enter and Esc
// press them), else 100 and up by the row. Siblings clip one another, so
// overlapping controls paint in their stacking order.
class ControlSet {
 public:
  ControlSet() = default;
  ControlSet(HWND window, HINSTANCE instance, std::span<const platform::ControlLayout> layout,
             const ControlClasses& classes);

  // The child window of a row; nullptr for a name the table lacks and for
  // a painted label.
  HWND Handle(std::string_view name) const;
  // The control object of a row of that kind. A name the table lacks, or
  // a row of another kind, is a fault of the program: it stops at once
  // rather than act on a control that is not there.
  WinButton& Button(std::string_view name) const { return Get<WinButton>(name, Made::Button); }
  WinPanel& Panel(std::string_view name) const { return Get<WinPanel>(name, Made::Panel); }
  WinTextBox& TextBox(std::string_view name) const { return Get<WinTextBox>(name, Made::TextBox); }
  WinComboBox& ComboBox(std::string_view name) const {
    return Get<WinComboBox>(name, Made::ComboBox);
  }
  WinListBox& ListBox(std::string_view name) const { return Get<WinListBox>(name, Made::List); }
  CoveredListBox& CoveredList(std::string_view name) const {
    return Get<CoveredListBox>(name, Made::CoveredList);
  }
  DrawnLabel& Label(std::string_view name) const { return Get<DrawnLabel>(name, Made::Label); }

  const platform::ControlLayout& Row(std::string_view name) const { return *Find(name).row; }

  // Every row with a child window, in the table's order.
  template <class Visit>
  void ForEachWindow(Visit visit) const {
    for (const Entry& entry : entries_) {
      if (entry.hwnd) visit(*entry.row, entry.hwnd);
    }
  }
  // The painted labels of one container, in stacking order, top first.
  std::vector<DrawnLabel*> LabelsIn(HWND container) const;

 private:
  enum class Made { None, Button, Panel, TextBox, ComboBox, List, CoveredList, Label };
  struct Entry {
    const platform::ControlLayout* row;
    HWND hwnd;
    Made made;
    std::unique_ptr<platform::Control> control;  // of the kind `made` names
  };
  const Entry* Lookup(std::string_view name) const;  // nullptr for none
  const Entry& Find(std::string_view name) const;
  const Entry& Find(std::string_view name, Made made) const;
  template <class Control>
  Control& Get(std::string_view name, Made made) const {
    return static_cast<Control&>(*Find(name, made).control);
  }

  std::vector<Entry> entries_;
};

// Restacks controls from the top down in the order given; the dialog
// manager tabs in stacking order.
void StackInOrder(const std::vector<HWND>& controls, HWND above = HWND_TOP);

}  // namespace win32
