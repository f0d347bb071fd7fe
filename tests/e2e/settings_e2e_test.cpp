// The settings window of the real launcher under Wine: opened with Alt+S,
// driven with keys, observed through its windows, the settings file and
// the launcher's behaviour afterwards.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/unique_handle.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

class SettingsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.emplace([](const std::filesystem::path& folder) {
      return fakes::SettingsText({{"mail", Utf8((folder / L"mail.exe").wstring())}});
    });
  }

  // Alt+S on the launcher; the settings window once it shows and has the
  // keyboard, or null.
  HWND OpenSettings() {
    HWND window = nullptr;
    auto shown = [&] {
      window =
          FindTopLevelWindow(session_->ProcessId(), L"MirabeltonSettings", L"Mirabeltonの設定");
      return window && IsWindowVisible(window) && IsForeground(window);
    };
    // Wine takes the state of the modifier keys from the X server when one
    // of its windows gains the X focus; an injected Alt that meets such a
    // moment is dropped and the S arrives alone, as a letter in the box.
    // That, and only that, is worth a second Alt+S.
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!session_->Press({VK_MENU, 'S'})) break;
      if (!WaitUntil([&] { return shown() || session_->ComboText() == L"s"; })) break;
      if (shown()) return window;
      if (!session_->Present()) break;
    }
    ADD_FAILURE() << "Alt+S: no settings window in front; the command box holds \""
                  << Utf8(session_->ComboText()) << "\"";
    return nullptr;
  }
  ::testing::AssertionResult Closes(HWND window) {
    if (WaitUntil([&] { return !IsWindow(window); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the settings window stayed open";
  }
  // Types a new alias into the two fields, from the list where the focus
  // starts, presses 追加(&A) and waits for the list to show it.
  static bool AddAlias(HWND settings, const std::wstring& shortName, const std::wstring& path) {
    return PressKeys({VK_TAB}) && TypeText(shortName) && PressKeys({VK_TAB}) && TypeText(path) &&
           PressKeys({VK_MENU, 'A'}) && WaitUntil([&] { return ListCount(settings) == 2; });
  }
  static std::optional<LRESULT> ListCount(HWND settings) {
    HWND list = FindDescendant(settings, L"ListBox");  // lstIPath lies above lstRPath
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count))
      return {};
    return static_cast<LRESULT>(count);
  }

  std::optional<LauncherSession> session_;
};

TEST_F(SettingsE2e, AnAliasAddedAndAppliedIsSavedAndCompletesAtOnce) {
  auto& session = *session_;
  const std::filesystem::path note = session.AddProbe(L"note.exe");
  SetCursorPos(0, 0);  // no tooltip in the picture
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings);
  EXPECT_FALSE(IsWindowEnabled(session.Window())) << "the launcher takes no input meanwhile";
  ASSERT_TRUE(AddAlias(settings, L"note", note.wstring()));
  SaveScreenshot(ArtifactFolder() / "settings-window.bmp");
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  ASSERT_TRUE(Closes(settings));
  EXPECT_EQ(session.SettingsBytes(), "[Programs]\r\nTotalNumber=2\r\n1=mail\r\n1R=" +
                                         Utf8((session.Folder() / L"mail.exe").wstring()) +
                                         "\r\nHotKey=123\r\n2=note\r\n2R=" + Utf8(note.wstring()) +
                                         "\r\n");

  EXPECT_TRUE(IsWindowEnabled(session.Window()));
  ASSERT_TRUE(session.Present() && session.Type(L"no"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"note"; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return !session.ProbeLog().empty(); })) << "note.exe never started";
  EXPECT_NE(session.ProbeLog()[0].find("note.exe"), std::string::npos) << session.ProbeLog()[0];
}

TEST_F(SettingsE2e, CancelWritesNothing) {
  const std::string before = session_->SettingsBytes();
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings);
  ASSERT_TRUE(AddAlias(settings, L"temp", L"C:\\temp.exe"));
  ASSERT_TRUE(PressKeys({VK_MENU, 'C'}));
  ASSERT_TRUE(Closes(settings));
  EXPECT_EQ(session_->SettingsBytes(), before);
  settings = OpenSettings();
  ASSERT_TRUE(settings);
  EXPECT_EQ(ListCount(settings), 1) << "the next opening shows the file, not the cancelled edits";
}

TEST_F(SettingsE2e, ASaveThatCannotBeWrittenWarnsAndKeepsTheWindowOpen) {
  auto& session = *session_;
  const std::string before = session.SettingsBytes();
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings);
  ASSERT_TRUE(AddAlias(settings, L"kept", L"C:\\kept.exe"));
  // As root under Wine a read-only file is written all the same; an open
  // handle that shares reading only stops the replacement.
  UniqueHandle lock(CreateFileW((session.Folder() / L"Mirabelton.ini").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  ASSERT_TRUE(lock);
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = session.FindMessageBox(L"Mirabelton")) != nullptr; }))
      << "no warning";
  const std::wstring text = MessageBoxText(box).value_or(L"");
  EXPECT_TRUE(text.starts_with(L"設定ファイルに書き込めませんでした\r\n")) << Utf8(text);
  EXPECT_TRUE(text.ends_with(L"\\Mirabelton.ini")) << Utf8(text);
  EXPECT_EQ(session.SettingsBytes(), before);
  ASSERT_TRUE(WaitUntil([&] { return IsForeground(box); }));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindowVisible(settings)) << "the window stays open after the warning";
  EXPECT_EQ(ListCount(settings), 2) << "with every edit";

  // With the file free again the same edits are saved. (The button is
  // clicked: keys right after a change of focus may lose their Alt.)
  lock = UniqueHandle();
  HWND apply = FindDescendantWithText(settings, L"設定(&S)");
  ASSERT_TRUE(apply);
  PostMessageW(apply, BM_CLICK, 0, 0);
  ASSERT_TRUE(Closes(settings));
  EXPECT_NE(session.SettingsBytes().find("2=kept\r\n2R=C:\\kept.exe\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
