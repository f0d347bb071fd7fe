// What the Windows test programs ask of the machine they run on, alike on
// Windows 7 to 11 and under Wine.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace machine {

// A function of a system DLL, or null where the system has none.
template <class Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Function*>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(dll), name)));
}

// A program the tests use: beside the test program (the self-test package),
// else at its place in the build, given relative to the test program's
// folder, so that no drive and no clone's path is built in.
inline std::filesystem::path Find(const wchar_t* inBuild) {
  std::wstring self(32'768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::filesystem::path folder = std::filesystem::path(self).parent_path();
  const std::filesystem::path beside = folder / std::filesystem::path(inBuild).filename();
  return std::filesystem::exists(beside) ? beside : (folder / inBuild).lexically_normal();
}

// The thread's coordinates in real pixels, where Windows has per-monitor
// DPI (10 on); the awareness it had, or null.
inline DPI_AWARENESS_CONTEXT UseRealPixels(
    DPI_AWARENESS_CONTEXT context = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) {
  auto set = SystemFunction<DPI_AWARENESS_CONTEXT WINAPI(DPI_AWARENESS_CONTEXT)>(
      L"user32.dll", "SetThreadDpiAwarenessContext");
  return set ? set(context) : nullptr;
}

// The display's dots per inch, 96 at 100% scaling, asked in real pixels
// (a program that is not DPI aware is told 96).
inline int SystemDpi() {
  const DPI_AWARENESS_CONTEXT before = UseRealPixels();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (before) UseRealPixels(before);
  return dpi;
}

}  // namespace machine
