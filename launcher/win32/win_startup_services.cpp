#include "launcher/win32/win_startup_services.h"

#include <shlwapi.h>

#include "platform/win32/module_version.h"
#include "platform/win32/on_demand.h"

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

void WinStartupServices::CoInitialize() { comWanted_ = true; }

void WinStartupServices::CoUninitialize() {
  if (comInitialized_) on_demand::CoUninitialize();
  comInitialized_ = false;
  comWanted_ = false;
  completionEdit_ = nullptr;
}

bool WinStartupServices::AttachShellCompletion() {
  completionEdit_ = FindWindowExW(commandBox_, nullptr, L"EDIT", nullptr);
  return completionEdit_ != nullptr;
}

void WinStartupServices::FinishStartup() {
  if (comWanted_ && !comInitialized_) comInitialized_ = SUCCEEDED(on_demand::CoInitialize(nullptr));
  if (completionEdit_) on_demand::SHAutoComplete(completionEdit_, SHACF_DEFAULT);
  completionEdit_ = nullptr;
}

void WinStartupServices::BringToFront() { SetForegroundWindow(window_); }

}  // namespace win32
