// The launcher's real window: creates the controls of the layout table,
// routes their notifications to frmMain and implements platform::Window.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "launcher/frm_main.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/win_controls.h"

namespace win32 {

class MainWindow : public platform::Window {
public:
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  bool Create();
  void AttachForm(launcher::frmMain& form) { form_ = &form; }
  HWND Handle() const { return hwnd_; }

  WinComboBox cmbRun;
  WinButton cmdOK, cmdCancel, cmdOther, cmdEnd;
  WinPanel picAbout;
  WinLabel lblClose, lblPlatform, lblCopyright, lblSet, lblBlue, lblTitle, lblRun, lblEnd, lblHide;

  // platform::Window
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  int Left() const override;
  int Top() const override;
  void Move(int leftTwips, int topTwips) override;
  void Unload() override;

  // Runs the form's unload steps when the window goes, whatever the cause.
  std::function<void()> QueryUnload;

  // Keys the window sees before its focused control; true when consumed.
  bool PreTranslate(MSG& msg);

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);
  void CreateControls();
  void CenterOnScreen();
  HWND ControlByName(const char* name) const;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  launcher::frmMain* form_ = nullptr;
  Font font_;
  Brush whiteBrush_;
  std::map<std::string, HWND> controls_;
  bool unloaded_ = false;
};

int RunMessageLoop(MainWindow& window);

} // namespace win32
