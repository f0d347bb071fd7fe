// The settings window's real window: a fixed dialog frame holding the
// controls of settings/frm_set_layout.h, shown modally over the launcher.
// It makes the controls from the table, builds frmSet over them (each
// control raises its own events, which the form binds) and implements
// platform::ModalWindow.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "platform/services.h"
#include "platform/settings_controls.h"
#include "platform/win32/control_builder.h"
#include "platform/win32/file_drop_target.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/win_controls.h"
#include "platform/win32/win_file_dialog.h"
#include "platform/win32/win_hot_key_field.h"
#include "settings/frm_set.h"
#include "settings/win32/paperclip_icon.h"

namespace win32 {

// Message boxes owned by one window, which takes no input while one shows.
class OwnedMessageBoxes : public platform::MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override;

 private:
  HWND owner_ = nullptr;
};

class SettingsWindow : public platform::ModalWindow {
 public:
  // owner: the window that is disabled while this one is shown (may be null).
  SettingsWindow(HINSTANCE instance, HWND owner, core::SettingsStore& settings,
                 core::SharedState& shared);
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Creates the window and its controls, centred and hidden, then runs the
  // form's Form_Load. False when the window could not be created.
  bool Create();
  // Shows the window and runs the thread's messages until it is unloaded,
  // with the owner disabled meanwhile. A WM_QUIT met here is posted again.
  void RunModal();
  // platform::ModalWindow: Form_QueryUnload, then the window goes.
  void Unload() override { Close(); }

  HWND Handle() const { return hwnd_; }
  // A control of the layout table by its name; nullptr for none.
  HWND Control(const std::string& name) const { return controls_.Handle(name); }
  HWND ToolTip() const { return toolTip_; }
  WinHotKeyField& HotKeyField() { return hotKey_; }

 private:
  template <class Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void CreateToolTips();
  void LayOut(UINT dpi);
  SIZE FrameSize(UINT dpi) const;
  void FitClientArea();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void Paint();
  void Close();
  void RunQueryUnload();
  void EnableOwner();

  HINSTANCE instance_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  HWND toolTip_ = nullptr;
  UINT dpi_ = 96;
  Font font_;
  std::vector<Font> condensedFonts_;  // for labels wider than their place
  Icon bigIcon_, smallIcon_;
  bool queried_ = false;
  bool ownerDisabled_ = false;
  core::SettingsStore& settings_;
  core::SharedState& shared_;

  // The controls come before the form, which binds to them.
  ControlSet controls_;
  WinHotKeyField hotKey_;
  WinFileDialog fileDialog_;
  OwnedMessageBoxes messageBoxes_;
  std::optional<settings::frmSet> form_;  // made once the controls are
};

// What the launcher shows on its settings label: a new settings window for
// every showing, modal over owner.
class WinSettingsWindowHost : public platform::SettingsWindowHost {
 public:
  WinSettingsWindowHost(HINSTANCE instance, HWND owner, core::SettingsStore& settings,
                        core::SharedState& shared);
  ~WinSettingsWindowHost() override;
  WinSettingsWindowHost(const WinSettingsWindowHost&) = delete;
  WinSettingsWindowHost& operator=(const WinSettingsWindowHost&) = delete;

  void ShowModal() override;

 private:
  HINSTANCE instance_;
  HWND owner_;
  core::SettingsStore& settings_;
  core::SharedState& shared_;
  OleSession ole_;
  bool showing_ = false;
};

}  // namespace win32
