// A bare popup window with a message loop and nothing else, built with the
// same compiler and flags as the launcher so that start-up time and memory
// can be measured against it on the same machine in the same run.
// Started with "/h" it stays hidden and comes back on F12, as the launcher
// does, so that the hot-key round trip has a baseline too.
#include <windows.h>

#include <cwchar>

namespace {

constexpr int kHotKeyId = 1;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOTKEY:
      ShowWindow(hwnd, SW_SHOW);
      SetForegroundWindow(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        ShowWindow(hwnd, SW_HIDE);
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  const bool startHidden = arguments != nullptr && (std::wcsstr(arguments, L"/h") != nullptr ||
                                                    std::wcsstr(arguments, L"/H") != nullptr);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MirabeltonReferenceWindow";
  if (!RegisterClassW(&windowClass)) return 1;

  HWND hwnd =
      CreateWindowExW(0, windowClass.lpszClassName, L"reference_window", WS_POPUP | WS_BORDER,
                      CW_USEDEFAULT, CW_USEDEFAULT, 240, 50, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  if (startHidden) {
    if (!RegisterHotKey(hwnd, kHotKeyId, 0, VK_F12)) return 2;
  } else {
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
