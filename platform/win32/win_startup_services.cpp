#include "platform/win32/win_startup_services.h"

#include <objbase.h>
#include <shlwapi.h>

#include <vector>

namespace win32 {

namespace {

// The numbers of the program's own version resource.
void ReadOwnVersion(int& major, int& minor) {
  wchar_t path[MAX_PATH * 4];
  if (GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path))) == 0) return;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
    return;
  major = HIWORD(info->dwFileVersionMS);
  minor = LOWORD(info->dwFileVersionMS);
}

}  // namespace

WinStartupServices::WinStartupServices(HWND window, HWND commandBox, LauncherSubclass& subclass)
    : window_(window), commandBox_(commandBox), subclass_(subclass) {
  ReadOwnVersion(major_, minor_);
}

WinStartupServices::~WinStartupServices() {
  if (instanceMutex_) CloseHandle(instanceMutex_);
}

bool WinStartupServices::ClaimSingleInstance() {
  instanceMutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  return instanceMutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
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
