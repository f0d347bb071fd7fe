// Mirabelton.exe: wires the launcher form to its real window and services.
#include <windows.h>

#include "core/settings_file.h"
#include "launcher/frm_main.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win_code_page.h"
#include "platform/win32/win_file_access.h"
#include "platform/win32/win_services.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::WinCodePage ansi(CP_ACP);
  platform::WinFileAccess files;
  win32::WinEnvironment environment;
  win32::WinShell shell;
  core::SettingsStore settings(files, ansi, core::FileEncoding::Ansi,
                               core::SettingsPathIn(environment.ProgramFolder()));
  launcher::SharedState shared;

  win32::MainWindow window(instance);
  if (!window.Create()) return 1;
  launcher::frmMain form({window, window.cmbRun, window.cmdOK, window.cmdCancel, window.picAbout},
                         {shell, environment, settings}, shared);
  window.AttachForm(form);
  form.LoadSettings();
  window.Show();
  window.cmbRun.SetFocus();
  return win32::RunMessageLoop(window);
}
