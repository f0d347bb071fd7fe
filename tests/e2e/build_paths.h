// Where the build put the programs under test, as this process reaches them.
// The build runs on Linux and hands over Linux paths (UTF-8); under Wine
// the Linux root is drive Z:.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

inline std::wstring WindowsPath(std::string_view buildPath) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, buildPath.data(),
                                       static_cast<int>(buildPath.size()), nullptr, 0);
  std::wstring path(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, buildPath.data(), static_cast<int>(buildPath.size()), path.data(),
                      size);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  const bool hasDrive = path.size() >= 2 && path[1] == L':';
  return hasDrive ? path : L"Z:" + path;
}

}  // namespace e2e
