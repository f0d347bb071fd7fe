// Keyboard input as a user gives it: through the system's input queue
// (SendInput), to whichever window has the focus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace e2e {

// Each character as a Unicode key stroke, independent of the keyboard
// layout (a Japanese layout puts '\' elsewhere).
bool TypeText(std::wstring_view text);

// Presses the keys in order and releases them in reverse: {VK_MENU, 'X'}
// is Alt+X, {VK_RETURN} is Enter. Keys of the main block and function keys
// only: the arrows and the keys above them would need the extended flag.
bool PressKeys(std::initializer_list<WORD> virtualKeys);

}  // namespace e2e
