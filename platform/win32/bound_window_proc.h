// The window procedure of a class that owns one window: binds the object at
// WM_NCCREATE (passed as the creation parameter), forwards every message to
// its HandleMessage, forgets it at WM_NCDESTROY, and lets no exception
// unwind into the system's code.
#pragma once

#include <windows.h>

namespace win32 {

// Owner must have a member `HWND hwnd_` and
// `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`, both reachable from here
// (declare this template a friend).
template <class Owner>
LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Owner* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace win32
