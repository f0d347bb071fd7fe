// What start-up asks of Windows: the instance lock, version numbers, the
// command line, COM and the shell's path completion.
#pragma once

#include <windows.h>

#include "launcher/win32/window_subclass.h"
#include "platform/services.h"
#include "platform/win32/scoped_handle.h"

namespace win32 {

// The instance lock: a named mutex in the session's own namespace
// ("Local\"), so each signed-in user may run one launcher, and a launcher
// in another session neither blocks nor is blocked.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\Mirabelton.SingleInstance";

class WinStartupServices : public platform::StartupServices {
 public:
  WinStartupServices(HWND window, HWND commandBox, LauncherSubclass& subclass);
  ~WinStartupServices() override;
  WinStartupServices(const WinStartupServices&) = delete;
  WinStartupServices& operator=(const WinStartupServices&) = delete;

  bool ClaimSingleInstance() override;
  int VersionMajor() const override { return major_; }
  int VersionMinor() const override { return minor_; }
  std::optional<platform::OsVersion> GetOsVersion() const override;
  std::wstring CommandLine() const override { return GetCommandLineW(); }
  // COM and the path completion are asked for during start-up but set up
  // by FinishStartup, once the window has first painted: its first sight
  // needs neither, and both load libraries.
  void CoInitialize() override;
  void CoUninitialize() override;
  bool AttachShellCompletion() override;
  void FinishStartup();
  void BringToFront() override;
  void InstallSubclass() override { subclass_.InstallSubclass(window_); }
  void RemoveSubclass() override { subclass_.RemoveSubclass(window_); }

 private:
  HWND window_;
  HWND commandBox_;
  LauncherSubclass& subclass_;
  ScopedHandle instanceMutex_{nullptr, ::CloseHandle};
  bool comWanted_ = false;
  bool comInitialized_ = false;
  HWND completionEdit_ = nullptr;  // awaiting the path completion
  int major_ = 0;
  int minor_ = 0;
};

}  // namespace win32
