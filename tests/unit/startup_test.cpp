#include <gtest/gtest.h>

#include "core/command_line.h"
#include "tests/fakes/launcher_fixture.h"

namespace {

TEST(CommandLine, SwitchesAreSubstringsOfTheArgumentsOnly) {
  EXPECT_EQ(core::ArgumentText(L"\"C:\\My Tools/s\\Mirabelton.exe\"  /S /H"), L"/S /H");
  EXPECT_EQ(core::ArgumentText(L"C:/stuff/Mirabelton.exe"), L"");
  EXPECT_EQ(core::ArgumentText(L"Mirabelton.exe c:/stuff"), L"c:/stuff");
  EXPECT_TRUE(core::HasSwitch(L"c:/stuff", L"/s"));
  EXPECT_TRUE(core::HasSwitch(L"x/HIDE", L"/h"));
  EXPECT_FALSE(core::HasSwitch(L"-s -h", L"/s"));
}

class StartupTest : public fakes::LauncherFixture {
 protected:
  void SetUp() override {
    form.Hide();
    WriteSettings(fakes::SettingsText({{"mail", "C:\\mail.exe"}}));
  }
  std::string FileText() { return files.files[fakes::kSettingsPath]; }
  // The settings window saves these aliases with this key and reports `effect`.
  void Apply(const std::wstring& effect, const std::string& hotKeyText) {
    settingsWindow.OnShow = [this, effect, hotKeyText] {
      WriteSettings(fakes::SettingsText({{"mail", "m"}, {"web", "w"}}, "HotKey=" + hotKeyText));
      shared.SettingsEffect = effect;
    };
    lblSet.ClickWithMouse();
  }
};

TEST_F(StartupTest, StepsRunInOrderTheWindowShowsLastAndShutdownUndoesThem) {
  system.commandLine = L"Mirabelton.exe";
  system.minor = 7;
  shared.RunHistory = {L"a", L"b", L"c"};
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(system.log, (std::vector<std::string>{"ClaimSingleInstance", "CoInitialize",
                                                  "AttachShellCompletion", "InstallSubclass"}));
  EXPECT_EQ(shared.RunHistory, (std::array<std::wstring, 3>{}));
  EXPECT_EQ(lblTitle.Caption(), L"Mirabelton Ver1.07");
  EXPECT_EQ(lblPlatform.Caption(), L"Working on Windows");
  EXPECT_EQ(cmbRun.ListCount(), 1);
  EXPECT_EQ(main.UseShellComplete(), 1);
  ASSERT_EQ(hotKeyService.registered.size(), 1u);
  EXPECT_EQ(hotKeyService.registered[0].key, 0x7Bu);  // F12 by default
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(cmbRun.focusCount, 1);
  EXPECT_TRUE(messageBoxes.shown.empty());

  const std::string before = FileText();
  system.log.clear();
  // An ended process frees its hot keys anyway: only here can the letting go be seen.
  Run(L"@exit");
  EXPECT_EQ(hotKeyService.atomsHeld, 0);
  EXPECT_TRUE(hotKeyService.registered.empty());
  EXPECT_EQ(system.log, (std::vector<std::string>{"RemoveSubclass", "CoUninitialize"}));
  EXPECT_EQ(FileText(), before);
}

TEST_F(StartupTest, SwitchesSkipCompletionAndStartHidden) {
  system.commandLine = L"\"C:\\Mirabelton.exe\" /S /H";
  picAbout.SetTop(270);
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.UseShellComplete(), 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 1000);
  main.Form_QueryUnload();  // no CoUninitialize without CoInitialize
  EXPECT_EQ(system.log,
            (std::vector<std::string>{"ClaimSingleInstance", "InstallSubclass", "RemoveSubclass"}));
}

// Regression: an unreadable file was replaced by one holding only HotKey=122.
TEST_F(StartupTest, FallbackNeverReplacesAFileItCouldNotRead) {
  files.exactNames.insert({environment.folder, L"Mirabelton.ini"});
  files.readFails = true;
  hotKeyService.taken = {{0, 0x7B}};
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_EQ(files.replaceCalls, 0);
  files.readFails = false;
  files.replaceFails = true;  // nor does a failed write stop the start
  main.Form_QueryUnload();
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_EQ(files.replaceCalls, 1);
}

TEST_F(StartupTest, AfterTheSettingsWindowTheLauncherReloadsAndRegistersOnlyANewKey) {
  ASSERT_TRUE(main.Form_Load());
  cmbRun.SetText(L"typed");
  hotKeyService.registerCalls = 0;
  KeyDown(platform::kVkS, platform::kAltMask | 2);  // Ctrl+Alt+S; cancelled
  EXPECT_EQ(settingsWindow.shown, 1);
  EXPECT_EQ(cmbRun.Text(), L"typed");
  EXPECT_EQ(cmbRun.ListCount(), 1);
  Apply(L"Effected", "123");
  EXPECT_EQ(cmbRun.ListCount(), 2);
  EXPECT_EQ(hotKeyService.registerCalls, 0);
  EXPECT_TRUE(shared.SettingsEffect.empty());

  Apply(L"EffectedWithHotKey", "1618");
  ASSERT_EQ(hotKeyService.registered.size(), 1u);
  EXPECT_EQ(hotKeyService.registered[0].key, 0x52u);
  EXPECT_EQ(hotKeyService.registered[0].modifiers, 3u);
  EXPECT_EQ(hotKeyService.registered[0].id, 0xC123 - 0x10000);  // the atom, sign-widened
  EXPECT_TRUE(shared.SettingsEffect.empty());
  EXPECT_TRUE(messageBoxes.shown.empty());

  hotKeyService.taken = {{3, 0x52}};
  Apply(L"EffectedWithHotKey", "1618");
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_EQ(messageBoxes.shown.size(), 1u);
  main.Form_QueryUnload();
  EXPECT_EQ(hotKeyService.atomsHeld, 0) << "the refused attempt's atom is deleted too";
}

}  // namespace
