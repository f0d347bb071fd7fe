#include "tests/e2e/window_queries.h"

#include <vector>

namespace e2e {

namespace {

constexpr UINT kMessageBoundMs = 5000;

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageBoundMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
  DWORD processId;
  std::wstring_view className;
  std::wstring_view title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return TRUE;
  if (!search.className.empty() && ClassOf(window) != search.className) return TRUE;
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  if (search.title != title) return TRUE;
  search.found = window;
  return FALSE;
}

struct DescendantSearch {
  std::wstring_view className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchDescendant(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<DescendantSearch*>(lParam);
  if (CompareStringOrdinal(ClassOf(window).c_str(), -1, std::wstring(search.className).c_str(), -1,
                           TRUE) != CSTR_EQUAL) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

}  // namespace

HWND FindTopLevelWindow(DWORD processId, std::wstring_view className, std::wstring_view title) {
  TopLevelSearch search{processId, className, title};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendant(HWND parent, std::wstring_view className) {
  DescendantSearch search{className};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendantWithText(HWND parent, std::wstring_view text) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (WindowText(child) == std::wstring(text)) return child;
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
  std::vector<HWND> children;
  EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (CompareStringOrdinal(ClassOf(child).c_str(), -1, L"Static", -1, TRUE) != CSTR_EQUAL) {
      continue;
    }
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
