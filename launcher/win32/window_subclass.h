// The launcher's replacement window procedure: sees every message first,
// lets the hot-key activation act, then passes the message on unchanged.
#pragma once

#include <windows.h>

#include "hotkey/activation.h"
#include "hotkey/launcher_hot_key.h"

namespace win32 {

// One launcher window per process, so the procedure it replaced is kept
// module-wide, as a window procedure cannot carry it.
class LauncherSubclass {
 public:
  explicit LauncherSubclass(const hotkey::LauncherHotKey& hotKey);
  ~LauncherSubclass();
  LauncherSubclass(const LauncherSubclass&) = delete;
  LauncherSubclass& operator=(const LauncherSubclass&) = delete;

  // The rule that acts on the messages; set before installation.
  void SetActivation(hotkey::HotKeyActivation& activation);

  // A failed installation leaves the window's own procedure and makes
  // removal do nothing.
  void InstallSubclass(HWND window);
  void RemoveSubclass(HWND window);

 private:
  static LRESULT CALLBACK LauncherWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace win32
