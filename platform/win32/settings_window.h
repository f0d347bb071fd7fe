// The settings window's real window: a fixed dialog frame holding the
// controls of settings/frm_set_layout.h, shown modally over the launcher.
// It creates the controls, routes their notifications to frmSet and
// implements platform::ModalWindow.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "platform/services.h"
#include "platform/settings_controls.h"
#include "platform/win32/file_drop_target.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/paperclip_icon.h"
#include "platform/win32/win_controls.h"
#include "platform/win32/win_file_dialog.h"
#include "platform/win32/win_hot_key_field.h"
#include "settings/frm_set.h"

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
  HWND Control(const std::string& name) const;
  HWND ToolTip() const { return toolTip_; }
  settings::frmSet& Form() { return form_; }
  WinHotKeyField& HotKeyField() { return hotKey_; }
  // The drop targets of the two text boxes; nullptr when OLE is not
  // initialised on this thread.
  FileDropTarget* DropTargetOf(const std::string& name) const;

 private:
  template <class Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void CreateToolTips();
  void RegisterDropTargets();
  void LayOut(UINT dpi);
  SIZE FrameSize(UINT dpi) const;
  void FitClientArea();
  void OnCommand(int id, int code, HWND control);
  void Paint();
  bool IsPushButton(HWND control) const;
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
  std::map<std::string, HWND> controls_;
  FileDropTarget* dropIPath_ = nullptr;
  FileDropTarget* dropRPath_ = nullptr;
  bool queried_ = false;
  bool ownerDisabled_ = false;

  // The controls come before the form, which binds to them.
  WinListBox lstIPath;
  CoveredListBox lstRPath;  // beneath lstIPath
  WinTextBox txtIPath, txtRPath;
  WinButton cmdAdd, cmdDel, cmdEdit, cmdSet, cmdCancel, cmdDialog;
  WinPanel picHotkey;
  WinHotKeyField hotKey_;
  WinFileDialog fileDialog_;
  OwnedMessageBoxes messageBoxes_;
  settings::frmSet form_;
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
