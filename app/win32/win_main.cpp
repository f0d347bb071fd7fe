// Mirabelton.exe: puts the launcher's form together with its real window,
// the settings window's host and the services.
#include <windows.h>

#include "core/settings_file.h"
#include "hotkey/activation.h"
#include "hotkey/launcher_hot_key.h"
#include "launcher/frm_main.h"
#include "launcher/win32/main_window.h"
#include "launcher/win32/win_startup_services.h"
#include "launcher/win32/window_subclass.h"
#include "platform/win32/library_search.h"
#include "platform/win32/win_code_page.h"
#include "platform/win32/win_file_access.h"
#include "platform/win32/win_hot_key_service.h"
#include "platform/win32/win_services.h"
#include "settings/win32/settings_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything can load a library on the launcher's behalf.
  win32::RestrictLibrarySearchToSystemFolder();
  win32::WinCodePage ansi(CP_ACP);
  win32::WinFileAccess files;
  win32::WinEnvironment environment;
  win32::WinShell shell;
  win32::WinMessageBoxes messageBoxes;
  core::SettingsStore settings(files, ansi, core::FileEncoding::Ansi,
                               core::SettingsPathIn(environment.ProgramFolder()));
  core::SharedState shared;

  // Created hidden: start-up shows it unless told otherwise.
  win32::MainWindow window(instance);
  if (!window.Create()) return 1;
  win32::WinHotKeyService hotKeyService(window.Handle());
  hotkey::LauncherHotKey hotKey(hotKeyService);
  win32::LauncherSubclass subclass(hotKey);
  win32::WinStartupServices system(window.Handle(), window.CommandBox().Handle(), subclass);
  window.AfterFirstPaint = [&system] { system.FinishStartup(); };
  hotkey::HotKeyActivation activation(window, window.CommandBox(), system);
  subclass.SetActivation(activation);
  win32::WinSettingsWindowHost settingsWindow(instance, window.Handle(), settings, shared);

  launcher::frmMain form(
      window.FormControls(),
      {shell, environment, settings, messageBoxes, system, hotKey, settingsWindow}, shared);
  return win32::RunLauncher(window, form);
}
