// A launcher form over fakes, with helpers that act as the user would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/settings_file.h"
#include "launcher/frm_main.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_file_access.h"
#include "tests/fakes/settings_text.h"
#include "tests/fakes/test_code_page.h"

namespace fakes {

inline constexpr wchar_t kSettingsPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";

class LauncherFixture : public ::testing::Test {
 protected:
  FakeWindow form;
  FakeComboBox cmbRun;
  FakeButton cmdOK, cmdCancel, cmdOther, cmdEnd;
  FakePicture imgRunRaised, imgSetRaised;
  FakePanel picAbout{960};
  FakeLabel lblTitle, lblPlatform, lblClose, lblBlue, lblRun, lblSet, lblHide, lblEnd;
  FakeShell shell;
  FakeMessageBoxes messageBoxes;
  FakeStartupServices system;
  FakeHotKeyService hotKeyService;
  hotkey::LauncherHotKey hotKey{hotKeyService};
  FakeSettingsWindowHost settingsWindow;
  FakeEnvironment environment;
  MemoryFileAccess files;
  std::unique_ptr<core::AnsiCodePage> codePage = MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Utf8, kSettingsPath};
  core::SharedState shared;
  launcher::frmMain main{
      {form, cmbRun, cmdOK, cmdCancel, cmdOther, cmdEnd, picAbout, lblTitle, lblPlatform, lblClose,
       lblBlue, lblRun, lblSet, lblHide, lblEnd, imgRunRaised, imgSetRaised},
      {shell, environment, store, messageBoxes, system, hotKey, settingsWindow},
      shared};

  void WriteSettings(const std::string& bytes) { files.files[kSettingsPath] = bytes; }

  void LoadAliases(const Aliases& aliases) {
    WriteSettings(SettingsText(aliases));
    main.LoadSettings();
  }

  // A key pressed in the command box: the window sees it first.
  void KeyDown(int keyCode, int shift = 0) {
    if (form.KeyDown) form.KeyDown(keyCode, shift);
    if (cmbRun.KeyDown) cmbRun.KeyDown(keyCode, shift);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) {
      const wchar_t upper = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
      KeyDown(static_cast<int>(upper));
      cmbRun.Type(std::wstring(1, c));
    }
  }
  void PressBackspace() {
    KeyDown(platform::kVkBack);
    cmbRun.Backspace();
  }
  // Enter in the box presses the default button.
  void PressEnter() {
    KeyDown(platform::kVkReturn);
    cmdOK.Press();
  }
  // The text typed afresh into a shown, emptied box.
  void Run(const std::wstring& text) {
    form.Show();
    cmbRun.SetText(L"");
    Type(text);
    PressEnter();
  }
};

}  // namespace fakes
