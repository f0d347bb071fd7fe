#include <gtest/gtest.h>

#include "core/command_line.h"
#include "launcher/captions.h"
#include "tests/fakes/launcher_fixture.h"

namespace {

using fakes::LauncherFixture;

TEST(Captions, VersionAndPlatformNames) {
  EXPECT_EQ(launcher::VersionCaption(1, 50), L"Mirabelton Ver1.50");
  EXPECT_EQ(launcher::VersionCaption(1, 5), L"Mirabelton Ver1.05");
  EXPECT_EQ(launcher::VersionCaption(1, 0), L"Mirabelton Ver1.00");
  EXPECT_EQ(launcher::VersionCaption(2, 123), L"Mirabelton Ver2.123");
  const std::pair<platform::OsVersion, const wchar_t*> cases[] = {
      {{1, 4, 0}, L"Windows95"},   {{1, 4, 10}, L"Windows98"}, {{1, 4, 90}, L"WindowsMe"},
      {{1, 4, 95}, L"WindowsMe"},  {{1, 4, 3}, L"Windows"},    {{2, 4, 0}, L"WindowsNT4.0"},
      {{2, 5, 0}, L"Windows2000"}, {{2, 5, 1}, L"WindowsXP"},  {{2, 5, 2}, L"Windows"},
      {{2, 10, 0}, L"Windows"},    {{1, 5, 1}, L"Windows"},
  };
  for (const auto& [version, name] : cases) EXPECT_EQ(launcher::GetPlatformName(version), name);
  EXPECT_EQ(launcher::GetPlatformName(std::nullopt), L"Windows");
}

TEST(CommandLine, SwitchesAreSubstringsOfTheArgumentsOnly) {
  EXPECT_EQ(core::ArgumentText(L"\"C:\\My Tools/s\\Mirabelton.exe\"  /S /H"), L"/S /H");
  EXPECT_EQ(core::ArgumentText(L"C:/stuff/Mirabelton.exe"), L"");
  EXPECT_EQ(core::ArgumentText(L"Mirabelton.exe c:/stuff"), L"c:/stuff");
  EXPECT_TRUE(core::HasSwitch(L"c:/stuff", L"/s"));
  EXPECT_TRUE(core::HasSwitch(L"x/HIDE", L"/h"));
  EXPECT_FALSE(core::HasSwitch(L"-s -h", L"/s"));
}

class StartupTest : public LauncherFixture {
 protected:
  void SetUp() override {
    form.Hide();
    form.hideCount = 0;
    WriteSettings("[Programs]\r\nTotalNumber=1\r\n1=mail\r\n1R=C:\\mail.exe\r\n");
  }
  std::string FileText() { return files.files[fakes::kSettingsPath]; }
};

TEST_F(StartupTest, StepsRunInOrderAndTheWindowShowsLast) {
  system.commandLine = L"Mirabelton.exe";
  system.minor = 7;
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(system.log, (std::vector<std::string>{"ClaimSingleInstance", "CoInitialize",
                                                  "AttachShellCompletion", "InstallSubclass"}));
  EXPECT_EQ(lblTitle.Caption(), L"Mirabelton Ver1.07");
  EXPECT_EQ(lblPlatform.Caption(), L"Working on Windows");
  EXPECT_EQ(cmbRun.ListCount(), 1);
  EXPECT_EQ(main.UseShellComplete(), 1);
  EXPECT_TRUE(hotKey.HotKeyRegistered());
  ASSERT_EQ(hotKeyService.registered.size(), 1u);
  EXPECT_EQ(hotKeyService.registered[0].key, 0x7Bu);  // F12 by default
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(StartupTest, SecondInstanceEndsBeforeTouchingAnything) {
  system.anotherInstance = true;
  EXPECT_FALSE(main.Form_Load());
  EXPECT_EQ(system.log, std::vector<std::string>{"ClaimSingleInstance"});
  EXPECT_TRUE(hotKeyService.calls.empty());
  EXPECT_EQ(cmbRun.ListCount(), 0);
  EXPECT_FALSE(form.Visible());
}

TEST_F(StartupTest, SwitchesSkipCompletionAndStartHidden) {
  system.commandLine = L"\"C:\\Mirabelton.exe\" /S /H";
  picAbout.SetTop(270);
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(system.log, (std::vector<std::string>{"ClaimSingleInstance", "InstallSubclass"}));
  EXPECT_EQ(main.UseShellComplete(), 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 1000);
  main.Form_QueryUnload();
  EXPECT_EQ(system.log.back(), "RemoveSubclass");  // no CoUninitialize without CoInitialize
}

TEST_F(StartupTest, TakenKeyFallsBackToF11WithAWarning) {
  hotKeyService.taken = {{0, 0x7B}};
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_NE(FileText().find("HotKey=122\r\n"), std::string::npos);
  EXPECT_NE(FileText().find("1R=C:\\mail.exe\r\n"), std::string::npos);
  ASSERT_EQ(messageBoxes.shown.size(), 1u);
  EXPECT_EQ(messageBoxes.shown[0].text,
            L"ホットキーの設定ができませんでした\r\nF11に仮設定しました");
  EXPECT_EQ(messageBoxes.shown[0].title, L"Mirabelton");
  EXPECT_EQ(messageBoxes.shown[0].style, 0x30u);
  ASSERT_EQ(hotKeyService.registered.size(), 1u);
  EXPECT_EQ(hotKeyService.registered[0].key, 0x7Au);
}

TEST_F(StartupTest, F11TakenTooShowsTheErrorAndKeeps122) {
  hotKeyService.taken = {{0, 0x7B}, {0, 0x7A}};
  ASSERT_TRUE(main.Form_Load());
  ASSERT_EQ(messageBoxes.shown.size(), 1u);
  EXPECT_EQ(messageBoxes.shown[0].text, L"ホットキーの設定ができませんでした");
  EXPECT_EQ(messageBoxes.shown[0].title, L"エラー");
  EXPECT_EQ(messageBoxes.shown[0].style, 0x10u);
  EXPECT_TRUE(hotKey.HotKeyRegistered());
  EXPECT_NE(FileText().find("HotKey=122"), std::string::npos);
  EXPECT_TRUE(form.Visible());  // start-up goes on
}

TEST_F(StartupTest, FallbackCreatesTheSectionAndSurvivesAFailedWrite) {
  files.files.erase(fakes::kSettingsPath);
  hotKeyService.taken = {{0, 0x7B}};
  files.replaceFails = true;
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_EQ(files.files.count(fakes::kSettingsPath), 0u);
  files.replaceFails = false;
  main.WriteFallbackHotKey();
  EXPECT_EQ(FileText(), "[Programs]\r\nHotKey=122\r\n");
}

// Regression: an unreadable file was replaced by one holding only HotKey=122.
TEST_F(StartupTest, FallbackNeverReplacesAFileItCouldNotRead) {
  files.exactNames.insert({environment.folder, L"Mirabelton.ini"});
  files.readFails = true;
  hotKeyService.taken = {{0, 0x7B}};
  ASSERT_TRUE(main.Form_Load());
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_EQ(files.writes, 0);
  EXPECT_NE(FileText().find("1R=C:\\mail.exe"), std::string::npos);
}

TEST_F(StartupTest, ShutdownReleasesInOrderAndWritesNothing) {
  ASSERT_TRUE(main.Form_Load());
  const int writes = files.writes;
  system.log.clear();
  hotKeyService.calls.clear();
  main.Form_QueryUnload();
  EXPECT_EQ(hotKeyService.calls.front().what, "Unregister");
  EXPECT_EQ(system.log, (std::vector<std::string>{"RemoveSubclass", "CoUninitialize"}));
  EXPECT_FALSE(hotKey.HotKeyRegistered());
  EXPECT_EQ(files.writes, writes);
}

class SettingsRoundTripTest : public StartupTest {
 protected:
  void Apply(const std::string& effect, const std::string& hotKeyText) {
    settingsWindow.OnShow = [this, effect, hotKeyText] {
      WriteSettings("[Programs]\r\nTotalNumber=2\r\n1=mail\r\n1R=m\r\n2=web\r\n2R=w\r\nHotKey=" +
                    hotKeyText + "\r\n");
      shared.SettingsEffect = std::wstring(effect.begin(), effect.end());
    };
    main.lblSet_Click();
  }
};

TEST_F(SettingsRoundTripTest, CancelChangesNothing) {
  ASSERT_TRUE(main.Form_Load());
  cmbRun.SetText(L"typed");
  hotKeyService.calls.clear();
  main.lblSet_Click();
  EXPECT_EQ(settingsWindow.shown, 1);
  EXPECT_EQ(cmbRun.Text(), L"typed");
  EXPECT_EQ(cmbRun.ListCount(), 1);
  EXPECT_TRUE(hotKeyService.calls.empty());
}

TEST_F(SettingsRoundTripTest, EffectedReloadsWithoutRegistering) {
  ASSERT_TRUE(main.Form_Load());
  hotKeyService.calls.clear();
  Apply("Effected", "123");
  EXPECT_EQ(cmbRun.ListCount(), 2);
  EXPECT_TRUE(hotKeyService.calls.empty());
  EXPECT_TRUE(shared.SettingsEffect.empty());
}

TEST_F(SettingsRoundTripTest, NewFreeKeyIsRegisteredAtOnce) {
  ASSERT_TRUE(main.Form_Load());
  Apply("EffectedWithHotKey", "1618");
  ASSERT_EQ(hotKeyService.registered.size(), 1u);
  EXPECT_EQ(hotKeyService.registered[0].key, 0x52u);
  EXPECT_EQ(hotKeyService.registered[0].modifiers, 3u);
  EXPECT_TRUE(messageBoxes.shown.empty());
  EXPECT_TRUE(shared.SettingsEffect.empty());
}

TEST_F(SettingsRoundTripTest, TakenKeyFallsBackAndF11TakenTooIsAnError) {
  ASSERT_TRUE(main.Form_Load());
  hotKeyService.taken = {{3, 0x52}};
  Apply("EffectedWithHotKey", "1618");
  EXPECT_EQ(main.HotKeyValue(), 122);
  EXPECT_NE(FileText().find("HotKey=122\r\n"), std::string::npos);
  ASSERT_EQ(messageBoxes.shown.size(), 1u);
  EXPECT_EQ(messageBoxes.shown[0].title, L"Mirabelton");

  hotKeyService.taken = {{3, 0x52}, {0, 0x7A}};
  Apply("EffectedWithHotKey", "1618");
  ASSERT_EQ(messageBoxes.shown.size(), 2u);
  EXPECT_EQ(messageBoxes.shown[1].title, L"エラー");
  EXPECT_TRUE(hotKey.HotKeyRegistered());
}

}  // namespace
