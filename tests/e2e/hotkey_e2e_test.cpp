// The global hot key, start-up and shutdown of the real launcher under Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

SettingsWriter OneAlias() {
  return [](const std::filesystem::path&) {
    return std::string("[Programs]\r\nTotalNumber=1\r\n1=mail\r\n1R=C:\\mail.exe\r\n");
  };
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Holds a key combination the way another program would, so the launcher
// finds it taken.
class HeldHotKey {
 public:
  // A launcher of an earlier test may still be letting go of the key.
  HeldHotKey(int id, UINT virtualKey) : id_(id) {
    held_ = WaitUntil([&] { return RegisterHotKey(nullptr, id_, 0, virtualKey) != FALSE; });
  }
  ~HeldHotKey() {
    if (held_) UnregisterHotKey(nullptr, id_);
  }
  HeldHotKey(const HeldHotKey&) = delete;
  HeldHotKey& operator=(const HeldHotKey&) = delete;
  bool Held() const { return held_; }

 private:
  int id_;
  bool held_;
};

bool KeyIsFree(UINT virtualKey) {
  if (!RegisterHotKey(nullptr, 0x7001, 0, virtualKey)) return false;
  UnregisterHotKey(nullptr, 0x7001);
  return true;
}

TEST(HotKeyE2e, StartsHiddenAndTheHotKeyShowsAnEmptyFocusedBox) {
  LauncherSession session(OneAlias(), {L"/h", false});
  ASSERT_FALSE(session.Visible());

  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); })) << "F12 did not show the launcher";
  EXPECT_TRUE(WaitUntil([&] { return IsForeground(session.Window()); }));
  ASSERT_TRUE(TypeText(L"m"));  // straight into the box: it has the focus
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"mail"; }))
      << "the box holds " << Utf8(session.ComboText());

  // The hot key while shown changes nothing: the text stays.
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(PressKeys({VK_SHIFT}));  // something after it, to know it was handled
  EXPECT_TRUE(session.Visible());
  EXPECT_EQ(session.ComboText(), L"mail");

  // Hidden again with leftover text: the hot key brings it back emptied.
  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_TRUE(WaitUntil([&] { return session.ComboText().empty(); }));
}

TEST(HotKeyE2e, TakenKeyFallsBackToF11WithAWarning) {
  HeldHotKey other(0x7002, VK_F12);
  ASSERT_TRUE(other.Held());
  LauncherSession session(OneAlias(), {L"", false});
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = session.FindMessageBox(L"Mirabelton")) != nullptr; }))
      << "no warning box titled Mirabelton";
  EXPECT_EQ(MessageBoxText(box).value_or(L""),
            L"ホットキーの設定ができませんでした\r\nF11に仮設定しました");
  EXPECT_NE(FileText(session.Folder() / "Mirabelton.ini").find("HotKey=122\r\n"),
            std::string::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));

  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_F11}));
  EXPECT_TRUE(WaitUntil([&] { return session.Visible(); })) << "F11 did not show the launcher";
}

TEST(HotKeyE2e, BothKeysTakenShowsTheError) {
  HeldHotKey f12(0x7003, VK_F12);
  HeldHotKey f11(0x7004, VK_F11);
  ASSERT_TRUE(f12.Held() && f11.Held());
  LauncherSession session(OneAlias(), {L"", false});
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = session.FindMessageBox(L"エラー")) != nullptr; }))
      << "no error box titled エラー";
  EXPECT_EQ(MessageBoxText(box).value_or(L""), L"ホットキーの設定ができませんでした");
  EXPECT_NE(FileText(session.Folder() / "Mirabelton.ini").find("HotKey=122"), std::string::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return session.Visible(); })) << "start-up did not go on";
}

TEST(HotKeyE2e, SecondStartEndsAtOnceWithoutAWindow) {
  LauncherSession session(OneAlias());
  const std::wstring exe = (session.Folder() / L"Mirabelton.exe").wstring();
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             session.Folder().wstring().c_str(), &startup, &info));
  CloseHandle(info.hThread);
  const DWORD waited = WaitForSingleObject(info.hProcess, 20'000);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0) << "the second copy kept running";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindTopLevelWindow(info.dwProcessId, L"", L"Mirabelton"), nullptr);
  EXPECT_TRUE(session.Visible());  // the first one runs on
}

TEST(HotKeyE2e, ExitAndClosingReleaseTheHotKey) {
  {
    LauncherSession session(OneAlias());
    ASSERT_FALSE(KeyIsFree(VK_F12));
    ASSERT_TRUE(session.Present());
    ASSERT_TRUE(session.Type(L"@exit"));
    ASSERT_TRUE(session.Press({VK_RETURN}));
    ASSERT_TRUE(session.WaitForExit(20'000));
    EXPECT_TRUE(KeyIsFree(VK_F12));
  }
  {
    LauncherSession session(OneAlias());
    ASSERT_FALSE(KeyIsFree(VK_F12));
    PostMessageW(session.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.WaitForExit(20'000));
    EXPECT_TRUE(KeyIsFree(VK_F12));
  }
}

}  // namespace
}  // namespace e2e
