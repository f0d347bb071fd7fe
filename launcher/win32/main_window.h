// The launcher's real window: a frameless strip that paints its own
// background, labels and picture buttons, and hosts the command box and the
// four hidden buttons as child windows, all made from the launcher's layout
// table. Each control raises its own events, which frmMain binds.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "launcher/frm_main.h"
#include "launcher/win32/canvas.h"
#include "platform/win32/control_builder.h"
#include "platform/win32/drawn_controls.h"
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

  // The form's controls over this window's own; after Create.
  launcher::MainFormControls FormControls();
  WinComboBox& CommandBox() const { return controls_.ComboBox("cmbRun"); }

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

  // The about panel's window, whose messages the launcher window handles.
  struct PanelSurface {
    MainWindow* window;
    HWND hwnd_ = nullptr;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
      return window->HandlePanelMessage(hwnd_, message, wParam, lParam);
    }
  };

  template <class Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  DrawnLabel& Label(const char* name) const { return controls_.Label(name); }

  void CreateControls();
  void CreateTooltips();
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
  PanelSurface panel_{this};
  ControlSet controls_;
  // The upper picture of each button's pair, which the pressed look hides:
  // imgRun index 1 and imgSet index 0.
  DrawnPicture imgRunRaised_, imgSetRaised_;
  std::vector<DrawnLabel*> windowLabels_;  // stacking order, top first
  std::vector<DrawnLabel*> panelLabels_;
  // Tool i of the tooltip window: a label and its text.
  std::vector<std::pair<const DrawnLabel*, const wchar_t*>> tooltipLabels_;
  MouseCapture capture_;
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
