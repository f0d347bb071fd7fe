// Pointer input as a user gives it, through the system's input queue
// (SendInput), to whichever window lies under the pointer.
#pragma once

#include <windows.h>

namespace e2e {

// Moves the pointer to a point of the screen and waits until it is there.
bool MovePointer(POINT screenPoint);
// Moves the pointer there and clicks the left button.
bool ClickAt(POINT screenPoint);

}  // namespace e2e
