// Reading the state of another process's windows. Every message is sent
// with a bound, so a hung program yields "no answer" instead of a hung test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// A top-level window of the process, shown or hidden, whose class and title
// are exactly these; an empty className matches any class.
HWND FindTopLevelWindow(DWORD processId, std::wstring_view className, std::wstring_view title);

// The first descendant of parent whose class is className (case ignored).
HWND FindDescendant(HWND parent, std::wstring_view className);

// The first descendant of parent that shows exactly this text (a button by
// its caption).
HWND FindDescendantWithText(HWND parent, std::wstring_view text);

// WM_GETTEXT: for a combo box, the text of its edit field.
std::optional<std::wstring> WindowText(HWND window);
bool SetWindowTextBounded(HWND window, const std::wstring& text);

struct TextSelection {
  int start = 0;
  int end = 0;
  bool operator==(const TextSelection&) const = default;
};
std::optional<TextSelection> ComboEditSelection(HWND combo);

// The message of a message box: its one static control that holds text
// (the icon is a static control too, without text).
std::optional<std::wstring> MessageBoxText(HWND box);

// The system's foreground window is this one.
bool IsForeground(HWND window);

// The window that has the keyboard focus in window's thread, or null.
HWND FocusOf(HWND window);

}  // namespace e2e
