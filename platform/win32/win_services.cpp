#include "platform/win32/win_services.h"

#include <windows.h>

#include "platform/win32/on_demand.h"

namespace win32 {

std::intptr_t WinShell::Open(const std::wstring& target) {
  const HINSTANCE result =
      on_demand::ShellExecuteW(GetDesktopWindow(), L"open", target.c_str(), nullptr, L"", SW_SHOW);
  return reinterpret_cast<std::intptr_t>(result);
}

int WinMessageBoxes::Show(const std::wstring& text, const std::wstring& title, unsigned style) {
  return MessageBoxW(nullptr, text.c_str(), title.c_str(), style | MB_SETFOREGROUND);
}

namespace {

std::wstring ModulePath() {
  // Long paths: grow the buffer until the whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

WinEnvironment::WinEnvironment() : path_(ModulePath()) {
  const std::size_t slash = path_.find_last_of(L"\\/");
  folder_ = slash == std::wstring::npos ? std::wstring() : path_.substr(0, slash);
  // A drive root keeps its backslash: "C:" alone would mean the current folder.
  if (folder_.size() == 2 && folder_[1] == L':') folder_ += L'\\';
}

}  // namespace win32
