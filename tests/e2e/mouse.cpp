#include "tests/e2e/mouse.h"

#include "tests/e2e/wait.h"

namespace e2e {

namespace {

bool SendPointer(DWORD flags, POINT screen) {
  // Absolute coordinates run over 0..65536 of the screen; rounding up lands
  // exactly on the pixel whatever way the system scales them back.
  const long long width = GetSystemMetrics(SM_CXSCREEN);
  const long long height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof input) == 1;
}

}  // namespace

bool MovePointer(POINT screen) {
  POINT now{};
  return SendPointer(0, screen) &&
         WaitUntil([&] { return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; });
}

bool ClickAt(POINT screen) {
  return MovePointer(screen) && SendPointer(MOUSEEVENTF_LEFTDOWN, screen) &&
         SendPointer(MOUSEEVENTF_LEFTUP, screen);
}

}  // namespace e2e
