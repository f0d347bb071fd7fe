// The launcher window: its state and its event handlers, written against
// the control interfaces so that the same class runs over real controls and
// over test fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "hotkey/launcher_hot_key.h"
#include "platform/controls.h"
#include "platform/event_bindings.h"
#include "platform/services.h"

namespace launcher {

// Top edge of the about panel, in twips.
inline constexpr int kAboutShownTop = 270;
inline constexpr int kAboutHiddenTop = 1000;
inline constexpr int kAboutShownBelow = 400;

struct MainFormControls {
  platform::Window& form;
  platform::ComboBox& cmbRun;
  platform::Button& cmdOK;
  platform::Button& cmdCancel;
  platform::Button& cmdOther;
  platform::Button& cmdEnd;
  platform::Panel& picAbout;
  platform::Label& lblTitle;
  platform::Label& lblPlatform;
  platform::Label& lblClose;
  platform::Label& lblBlue;
  platform::Label& lblRun;
  platform::Label& lblSet;
  platform::Label& lblHide;
  platform::Label& lblEnd;
  platform::Control& imgRunRaised;  // imgRun index 1, over the pressed look
  platform::Control& imgSetRaised;  // imgSet index 0, over the pressed look
};

struct MainFormServices {
  platform::Shell& shell;
  platform::Environment& environment;
  core::SettingsStore& settings;
  platform::MessageBoxes& messageBoxes;
  platform::StartupServices& system;
  hotkey::LauncherHotKey& hotKey;
  platform::SettingsWindowHost& settingsWindow;
};

// The form is its controls and its services: it inherits both structs, so
// that the handlers name each control as the window's design does
// (cmbRun), and no member-by-member copy has to follow the structs.
class frmMain : private MainFormControls, private MainFormServices {
 public:
  frmMain(const MainFormControls& controls, const MainFormServices& services,
          core::SharedState& shared);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Start-up and shutdown. Form_Load returns false when the process must
  // end at once (another instance runs).
  bool Form_Load();
  void Form_QueryUnload();

  // Settings file
  void LoadSettings();
  void WriteFallbackHotKey();

  // Completion in the command box
  void cmbRun_KeyDown(int keyCode, int shift);
  void cmbRun_Change();

  // Confirmation and the actions it reaches
  void cmdOK_Click();
  void lblRun_Click() { cmdOK_Click(); }
  void RunBuiltInCommand(const std::wstring& text);
  void cmdCancel_Click();
  void cmdEnd_Click();

  bool AboutShown() const;

  // Chrome
  void Form_KeyDown(int keyCode, int shift);
  void lblBlue_MouseDown(int button, int shift, double x, double y);
  void lblBlue_MouseMove(int button, int shift, double x, double y);
  void lblBlue_MouseUp(int button, int shift, double x, double y);
  void lblHide_Click() { cmdCancel_Click(); }
  void lblClose_Click() { cmdCancel_Click(); }
  void lblEnd_Click() { cmdEnd_Click(); }
  void cmdOther_Click() {}

  // Pressed looks of the picture buttons
  void ShowRunPressed(int pressed);
  void ShowSetPressed(int pressed);
  void lblRun_MouseDown() { ShowRunPressed(1); }
  void lblRun_MouseUp() { ShowRunPressed(0); }
  void lblSet_MouseDown() { ShowSetPressed(1); }
  void lblSet_MouseUp() { ShowSetPressed(0); }

  // Drops on the command box: the effect to show (copy for a file list,
  // none otherwise), and the drop of a file list (empty when the data
  // holds none).
  int cmbRun_OLEDragOver(bool offersFiles) const {
    return offersFiles ? platform::kDropEffectCopy : platform::kDropEffectNone;
  }
  void cmbRun_OLEDragDrop(const std::vector<std::wstring>& files);

  // The settings window and what the launcher does after it
  void lblSet_Click();
  // Registers HotKeyValue, falling back to F11 with a message; shared by
  // start-up and the settings round trip.
  void RegisterWithFallback();

  // State, read by the platform layer and by tests.
  int MatchIndex() const { return MatchIndex_; }
  int LastKeyCode() const { return LastKeyCode_; }
  const std::wstring& LastCommand() const { return LastCommand_; }
  const std::wstring& TotalNumberText() const { return TotalNumberText_; }
  const std::vector<std::wstring>& RealPaths() const { return RealPaths_; }
  std::int32_t HotKeyValue() const { return HotKeyValue_; }
  int UseShellComplete() const { return UseShellComplete_; }
  bool Dragging() const { return Dragging_; }
  core::SharedState& Shared() { return shared_; }

 private:
  core::SharedState& shared_;

  std::wstring TotalNumberText_;
  std::vector<std::wstring> RealPaths_{L""};
  std::int32_t HotKeyValue_ = core::kDefaultHotKey;
  int MatchIndex_ = 0;
  int LastKeyCode_ = 0;
  std::wstring LastCommand_;
  int UseShellComplete_ = 0;
  bool Dragging_ = false;
  std::int32_t DragStartX_ = 0;  // twips within lblBlue
  std::int32_t DragStartY_ = 0;
  // True while the completion step sets the box's text itself, so that the
  // change this raises does not run a nested step.
  bool completing_ = false;
  // Last, so that the events are let go before anything they reach.
  platform::EventBindings bindings_;
};

}  // namespace launcher
