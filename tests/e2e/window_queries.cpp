#include "tests/e2e/window_queries.h"

#include <vector>

namespace e2e {

namespace {

constexpr UINT kMessageBoundMs = 5000;

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// The top-level windows (parent null) or the descendants of parent.
std::vector<HWND> WindowsUnder(HWND parent) {
  std::vector<HWND> windows;
  if (parent) {
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&windows));
  } else {
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

bool IsOfClass(HWND window, std::wstring_view className) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return CompareStringOrdinal(name, -1, std::wstring(className).c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageBoundMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

HWND FindTopLevelWindow(DWORD processId, std::wstring_view className, std::wstring_view title) {
  for (HWND window : WindowsUnder(nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    if (owner == processId && (className.empty() || IsOfClass(window, className)) &&
        title == text) {
      return window;
    }
  }
  return nullptr;
}

HWND FindDescendant(HWND parent, std::wstring_view className) {
  for (HWND window : WindowsUnder(parent)) {
    if (IsOfClass(window, className)) return window;
  }
  return nullptr;
}

HWND FindDescendantWithText(HWND parent, std::wstring_view text) {
  for (HWND window : WindowsUnder(parent)) {
    if (WindowText(window) == std::wstring(text)) return window;
  }
  return nullptr;
}

std::optional<std::wstring> WindowText(HWND window) {
  const auto length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  const auto copied =
      SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(static_cast<size_t>(*copied));
  return text;
}

bool SetWindowTextBounded(HWND window, const std::wstring& text) {
  return SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

std::optional<TextSelection> ComboEditSelection(HWND combo) {
  // The pointers of CB_GETEDITSEL do not cross processes; the result does.
  const auto packed = SendBounded(combo, CB_GETEDITSEL, 0, 0);
  if (!packed) return std::nullopt;
  return TextSelection{LOWORD(*packed), HIWORD(*packed)};
}

std::optional<std::wstring> MessageBoxText(HWND box) {
  for (HWND child : WindowsUnder(box)) {
    if (!IsOfClass(child, L"Static")) continue;
    auto text = WindowText(child);
    if (text && !text->empty()) return text;
  }
  return std::nullopt;
}

bool IsForeground(HWND window) { return window && GetForegroundWindow() == window; }

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace e2e
