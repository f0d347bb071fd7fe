// One run of the real Mirabelton.exe in a folder of its own, for one test.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/unique_handle.h"
#include "tests/e2e/window_queries.h"

namespace e2e {

inline constexpr wchar_t kLauncherTitle[] = L"Mirabelton";

// Builds the settings file's bytes once the session's folder is known, so
// that real paths can point into it.
using SettingsWriter = std::function<std::string(const std::filesystem::path& folder)>;

struct StartOptions {
  std::wstring arguments;
  // Started with "/h" the launcher stays hidden; otherwise the session is
  // ready only when the window shows.
  bool waitUntilShown = true;
};

// Makes a fresh temporary folder holding copies of Mirabelton.exe and
// probe.exe and the settings file, starts the launcher there and waits for
// its window. Throws std::runtime_error when any of that fails. On
// destruction ends the launcher if it still runs and removes the folder.
class LauncherSession {
 public:
  explicit LauncherSession(const SettingsWriter& settings, const StartOptions& options = {});
  ~LauncherSession();
  LauncherSession(const LauncherSession&) = delete;
  LauncherSession& operator=(const LauncherSession&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  DWORD ProcessId() const { return processId_; }
  HWND Window() const { return window_; }
  HWND Combo() const { return combo_; }

  // Another copy of probe.exe under this name in the folder; returns its path.
  std::filesystem::path AddProbe(const std::wstring& fileName) const;
  // The lines of probe-log.txt in the folder, one per probe start.
  std::vector<std::string> ProbeLog() const;
  // The bytes of Mirabelton.ini in the folder as they are now.
  std::string SettingsBytes() const;
  // Starts a second Mirabelton.exe from the folder and waits for its end:
  // its exit code, or nothing when it kept running (it is then ended).
  std::optional<DWORD> RunSecondCopy(DWORD* processId) const;

  bool Visible() const { return IsWindowVisible(window_) != FALSE; }
  std::wstring ComboText() const;
  std::optional<TextSelection> Selection() const;

  // Shows the window, brings it to the foreground, puts the focus in the
  // command box and empties it, as a user would before typing a command;
  // false when any of that does not happen.
  bool Present();
  // Keys go to the foreground window: these bring the launcher there first.
  bool Type(std::wstring_view text);
  bool Press(std::initializer_list<WORD> virtualKeys);

  // A message box of this launcher with this title, or null.
  HWND FindMessageBox(std::wstring_view title) const;
  bool WaitForExit(DWORD milliseconds) const;
  std::optional<DWORD> ExitCode() const;

 private:
  void Start(const StartOptions& options);
  void End() noexcept;
  bool BringToForeground();

  std::filesystem::path folder_;
  UniqueHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
  HWND combo_ = nullptr;
  HWND edit_ = nullptr;  // the combo box's own
};

// Narrow text for test messages (UTF-8).
std::string Utf8(std::wstring_view text);

}  // namespace e2e
