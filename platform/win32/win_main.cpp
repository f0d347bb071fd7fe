// Mirabelton.exe: wires the launcher form to its real window and services.
#include <windows.h>

#include "core/settings_file.h"
#include "hotkey/activation.h"
#include "hotkey/launcher_hot_key.h"
#include "launcher/frm_main.h"
#include "platform/win32/library_search.h"
#include "platform/win32/main_window.h"
#include "platform/win32/settings_window.h"
#include "platform/win32/win_code_page.h"
#include "platform/win32/win_file_access.h"
#include "platform/win32/win_hot_key_service.h"
#include "platform/win32/win_services.h"
#include "platform/win32/win_startup_services.h"
#include "platform/win32/window_subclass.h"

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
  win32::WinStartupServices system(window.Handle(), window.cmbRun.Handle(), subclass);
  window.AfterFirstPaint = [&system] { system.FinishStartup(); };
  hotkey::HotKeyActivation activation(window, window.cmbRun, system);
  subclass.SetActivation(activation);
  win32::WinSettingsWindowHost settingsWindow(instance, window.Handle(), settings, shared);

  launcher::frmMain form(
      {window, window.cmbRun, window.cmdOK, window.cmdCancel, window.cmdOther, window.cmdEnd,
       window.picAbout, window.lblTitle, window.lblPlatform, window.lblClose, window.lblBlue,
       window.lblRun, window.lblSet, window.lblHide, window.lblEnd, window.imgRunRaised,
       window.imgSetRaised},
      {shell, environment, settings, messageBoxes, system, hotKey, settingsWindow}, shared);
  return win32::RunLauncher(window, form);
}
