// The launcher window: its state and its event handlers, written against
// the control interfaces so that the same class runs over real controls and
// over test fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "launcher/shared_state.h"
#include "platform/controls.h"
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
  platform::Panel& picAbout;
};

struct MainFormServices {
  platform::Shell& shell;
  platform::Environment& environment;
  core::SettingsStore& settings;
};

class frmMain {
public:
  frmMain(const MainFormControls& controls, const MainFormServices& services, SharedState& shared);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

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

  // State, read by the platform layer and by tests.
  int MatchIndex() const { return MatchIndex_; }
  int LastKeyCode() const { return LastKeyCode_; }
  const std::wstring& LastCommand() const { return LastCommand_; }
  const std::wstring& TotalNumberText() const { return TotalNumberText_; }
  const std::vector<std::wstring>& RealPaths() const { return RealPaths_; }
  std::int32_t HotKeyValue() const { return HotKeyValue_; }
  SharedState& Shared() { return shared_; }

private:
  platform::Window& form_;
  platform::ComboBox& cmbRun;
  platform::Button& cmdOK;
  platform::Button& cmdCancel;
  platform::Panel& picAbout;
  platform::Shell& shell_;
  platform::Environment& environment_;
  core::SettingsStore& settings_;
  SharedState& shared_;

  std::wstring TotalNumberText_;
  std::vector<std::wstring> RealPaths_{L""};
  std::int32_t HotKeyValue_ = core::kDefaultHotKey;
  int MatchIndex_ = 0;
  int LastKeyCode_ = 0;
  std::wstring LastCommand_;
  // True while the completion step sets the box's text itself, so that the
  // change this raises does not run a nested step.
  bool completing_ = false;
};

} // namespace launcher
