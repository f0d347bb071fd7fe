#include "launcher/win32/window_subclass.h"

namespace win32 {

namespace {

WNDPROC PreviousWindowProc = nullptr;
hotkey::HotKeyActivation* activeActivation = nullptr;
const hotkey::LauncherHotKey* activeHotKey = nullptr;

}  // namespace

LauncherSubclass::LauncherSubclass(const hotkey::LauncherHotKey& hotKey) { activeHotKey = &hotKey; }

void LauncherSubclass::SetActivation(hotkey::HotKeyActivation& activation) {
  activeActivation = &activation;
}

LauncherSubclass::~LauncherSubclass() {
  activeActivation = nullptr;
  activeHotKey = nullptr;
}

void LauncherSubclass::InstallSubclass(HWND window) {
  PreviousWindowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LauncherWindowProc)));
}

void LauncherSubclass::RemoveSubclass(HWND window) {
  if (PreviousWindowProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousWindowProc));
  }
}

LRESULT CALLBACK LauncherSubclass::LauncherWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (activeActivation && activeHotKey) {
    try {
      activeActivation->OnMessage(message, static_cast<std::intptr_t>(wParam),
                                  activeHotKey->Identifier());
    } catch (...) {
      // Nothing may unwind into the system; the message still goes on.
    }
  }
  return CallWindowProcW(PreviousWindowProc, hwnd, message, wParam, lParam);
}

}  // namespace win32
