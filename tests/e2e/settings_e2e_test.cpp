// The settings window of the real launcher under Wine: opened with Alt+S,
// driven with keys, observed through its windows, the settings file and
// the launcher's behaviour afterwards.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

class SettingsE2e : public ::testing::Test {
 protected:
  // Types a new alias into the two fields, from the list where the focus
  // starts, presses 追加(&A) and waits for the list to show it.
  static bool AddAlias(HWND settings, const std::wstring& shortName, const std::wstring& path) {
    return PressKeys({VK_TAB}) && TypeText(shortName) && PressKeys({VK_TAB}) && TypeText(path) &&
           PressKeys({VK_MENU, 'A'}) && WaitUntil([&] { return ListCount(settings) == 2; });
  }
  static std::optional<LRESULT> ListCount(HWND settings) {  // lstIPath lies above lstRPath
    return SendBounded(FindChild(settings, L"ListBox"), LB_GETCOUNT);
  }
  static bool Closes(HWND window) {
    return WaitUntil([&] { return !IsWindow(window); });
  }

  LauncherSession session_{[](const std::filesystem::path& folder) {
    return fakes::SettingsText({{"mail", Utf8((folder / L"mail.exe").wstring())}});
  }};
};

TEST_F(SettingsE2e, AnAliasAddedAndAppliedIsSavedAndCompletesAtOnce) {
  const std::filesystem::path note = session_.Folder() / L"note.exe";
  std::filesystem::copy_file(session_.Folder() / L"probe.exe", note);
  SetCursorPos(0, 0);  // no tooltip in the picture
  HWND settings = session_.OpenSettings();
  ASSERT_TRUE(settings);
  EXPECT_FALSE(IsWindowEnabled(session_.Window())) << "the launcher takes no input meanwhile";
  ASSERT_TRUE(AddAlias(settings, L"note", note.wstring()));
  SaveScreenshot("settings-window");
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  ASSERT_TRUE(Closes(settings));
  EXPECT_EQ(session_.SettingsBytes(), "[Programs]\r\nTotalNumber=2\r\n1=mail\r\n1R=" +
                                          Utf8((session_.Folder() / L"mail.exe").wstring()) +
                                          "\r\nHotKey=123\r\n2=note\r\n2R=" + Utf8(note.wstring()) +
                                          "\r\n");
  EXPECT_TRUE(IsWindowEnabled(session_.Window()));
  ASSERT_TRUE(session_.Present() && session_.Type(L"no"));
  ASSERT_TRUE(session_.BoxHolds(L"note"));
  ASSERT_TRUE(session_.Press({VK_RETURN}));
  EXPECT_EQ(session_.ProbeLog(1), std::vector<std::string>{"note.exe"});
}

TEST_F(SettingsE2e, CancelWritesNothingAndASaveThatCannotBeWrittenWarnsAndKeepsTheWindowOpen) {
  const std::string before = session_.SettingsBytes();
  HWND settings = session_.OpenSettings();
  ASSERT_TRUE(settings && AddAlias(settings, L"temp", L"C:\\temp.exe"));
  ASSERT_TRUE(PressKeys({VK_MENU, 'C'}));
  ASSERT_TRUE(Closes(settings));
  EXPECT_EQ(session_.SettingsBytes(), before);

  // The next opening shows the file, not the cancelled edits.
  settings = session_.OpenSettings();
  ASSERT_TRUE(settings && AddAlias(settings, L"kept", L"C:\\kept.exe"));
  // As root under Wine a read-only file is written all the same; an open
  // handle that shares reading only stops the replacement.
  Handle lock(CreateFileW((session_.Folder() / L"Mirabelton.ini").c_str(), GENERIC_READ,
                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  HWND box = session_.AwaitWindow(L"#32770", L"Mirabelton");
  ASSERT_TRUE(box) << "no warning";
  const std::wstring text = MessageBoxText(box);
  EXPECT_TRUE(text.starts_with(L"設定ファイルに書き込めませんでした\r\n")) << Utf8(text);
  EXPECT_TRUE(text.ends_with(L"\\Mirabelton.ini")) << Utf8(text);
  EXPECT_EQ(session_.SettingsBytes(), before);
  ASSERT_TRUE(WaitUntil([&] { return IsForeground(box); }));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(Closes(box));
  EXPECT_TRUE(IsWindowVisible(settings)) << "the window stays open after the warning";
  EXPECT_EQ(ListCount(settings), 2) << "with every edit";

  // With the file free again the same edits are saved. (The button is
  // clicked: keys right after a change of focus may lose their Alt.)
  lock.reset();
  PostMessageW(FindChild(settings, nullptr, L"設定(&S)"), BM_CLICK, 0, 0);
  ASSERT_TRUE(Closes(settings));
  EXPECT_NE(session_.SettingsBytes().find("2=kept\r\n2R=C:\\kept.exe\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
