// The launcher's real window: a frameless strip that paints its own
// background, labels and picture buttons, hosts the command box and the four
// hidden buttons as child windows, and routes every event to frmMain.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "launcher/frm_main.h"
#include "platform/win32/canvas.h"
#include "platform/win32/drawn_controls.h"
#include "platform/win32/file_drop_target.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/win_controls.h"

namespace win32 {

class MainWindow : public platform::Window {
 public:
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window hidden, centred on the screen.
  bool Create();
  HWND Handle() const { return hwnd_; }

  WinComboBox cmbRun;
  WinButton cmdOK, cmdCancel, cmdOther, cmdEnd;
  WinPanel picAbout;
  DrawnLabel lblClose, lblPlatform, lblCopyright, lblSet, lblBlue, lblTitle, lblRun, lblEnd,
      lblHide;
  // The upper picture of each button's pair, which the pressed look hides:
  // imgRun index 1 and imgSet index 0.
  DrawnPicture imgRunRaised, imgSetRaised;

  // platform::Window
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  int Left() const override;
  int Top() const override;
  void Move(int leftTwips, int topTwips) override;
  void Unload() override;

  // Runs once the window has first painted (or, started hidden, just after
  // start-up): what the first sight of the window does not need waits here.
  std::function<void()> AfterFirstPaint;

  // Keys the window sees before its focused control; true when consumed.
  bool PreTranslate(MSG& msg);

 private:
  static constexpr UINT_PTR kFinishStartupTimer = 1;

  struct Fonts {
    Font window, title, symbol;
    bool symbolPresent = false;
  };
  // A press on a drawn label: the label keeps the mouse until every button
  // is up again, wherever the pointer goes.
  struct MouseCapture {
    DrawnLabel* label = nullptr;
    HWND source = nullptr;
    int buttons = 0;
  };

  template <class Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);

  void CreateControls();
  void CreateTooltips();
  void RegisterDropTarget();
  void FinishStartup();
  void ApplyDpi(UINT dpi);
  void CreateFonts(UINT dpi);
  void CenterOnScreen();
  HFONT FontFor(LabelFont font) const;

  void Paint();
  void PaintPanel(HWND panel);
  void DrawLabels(HDC dc, const std::vector<DrawnLabel*>& stack);

  bool OnMouse(HWND source, UINT message, WPARAM wParam, LPARAM lParam);
  void EndCapture(int button, int shift, POINT point, bool released);
  DrawnLabel* HitTest(HWND source, POINT point) const;

  OleSession ole_;  // declared first, so released after the window and its drop target
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND tooltips_ = nullptr;
  HWND lastFocus_ = nullptr;  // the child that had the focus when the window went inactive
  UINT dpi_ = 96;
  Fonts fonts_;
  Canvas background_;
  std::map<std::string, HWND> children_;
  std::vector<DrawnLabel*> windowLabels_;  // stacking order, top first
  std::vector<DrawnLabel*> panelLabels_;
  std::vector<DrawnLabel*> tooltipLabels_;
  MouseCapture capture_;
  FileDropTarget* dropTarget_ = nullptr;  // on the command box
  bool unloaded_ = false;
};

int RunMessageLoop(MainWindow& window);

// Runs form in window: its start-up, then the messages until the window
// goes. Returns the process's exit code.
int RunLauncher(MainWindow& window, launcher::frmMain& form);

// The keyboard's modifiers now, as the platform's shift argument
// (platform::kShiftMask, kCtrlMask, kAltMask).
int ShiftState();

}  // namespace win32
