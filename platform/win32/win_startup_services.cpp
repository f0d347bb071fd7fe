#include "platform/win32/win_startup_services.h"

#include <objbase.h>
#include <shlwapi.h>

#include "platform/win32/module_version.h"

namespace win32 {

WinStartupServices::WinStartupServices(HWND window, HWND commandBox, LauncherSubclass& subclass)
    : window_(window), commandBox_(commandBox), subclass_(subclass) {
  if (const auto version = ReadModuleVersion(nullptr)) {
    major_ = version->major;
    minor_ = version->minor;
  }
}

WinStartupServices::~WinStartupServices() = default;

bool WinStartupServices::ClaimSingleInstance() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  const bool anotherHoldsIt = GetLastError() == ERROR_ALREADY_EXISTS;
  instanceMutex_ = ScopedHandle(mutex, ::CloseHandle);
  return instanceMutex_.Valid() && !anotherHoldsIt;
}

std::optional<platform::OsVersion> WinStartupServices::GetOsVersion() const {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return std::nullopt;
#pragma GCC diagnostic pop
  return platform::OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

void WinStartupServices::CoInitialize() { comInitialized_ = SUCCEEDED(::CoInitialize(nullptr)); }

void WinStartupServices::CoUninitialize() {
  if (comInitialized_) ::CoUninitialize();
  comInitialized_ = false;
}

bool WinStartupServices::AttachShellCompletion() {
  HWND edit = FindWindowExW(commandBox_, nullptr, L"EDIT", nullptr);
  if (!edit) return false;
  SHAutoComplete(edit, SHACF_DEFAULT);
  return true;
}

void WinStartupServices::BringToFront() { SetForegroundWindow(window_); }

}  // namespace win32
