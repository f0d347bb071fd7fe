// The global hot key, its fallback when the key is taken, and a second
// start of the real launcher under Wine.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

SettingsWriter OneAlias() {
  return [](const std::filesystem::path&) {
    return fakes::SettingsText({{"mail", "C:\\mail.exe"}});
  };
}

// Holds a key the way another program would, so the launcher finds it taken.
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

TEST(HotKeyE2e, StartsHiddenAndTheHotKeyShowsAnEmptyFocusedBoxThatEscHides) {
  LauncherSession session(OneAlias(), {L"/h", false});
  ASSERT_FALSE(session.Visible());
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); })) << "F12 did not show the launcher";
  EXPECT_TRUE(WaitUntil([&] { return IsForeground(session.Window()); }));
  ASSERT_TRUE(TypeText(L"m"));  // straight into the box: it has the focus
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"mail"; }))
      << "the box holds " << Utf8(session.ComboText());

  // Hidden with leftover text: the hot key brings it back emptied.
  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); })) << "Esc did not hide";
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_TRUE(WaitUntil([&] { return session.ComboText().empty(); }));
}

TEST(HotKeyE2e, ATakenKeyFallsBackToF11AndATakenF11ShowsTheError) {
  const struct {
    std::vector<UINT> held;
    const wchar_t* title;
    const wchar_t* text;
  } cases[] = {
      {{VK_F12}, L"Mirabelton", L"ホットキーの設定ができませんでした\r\nF11に仮設定しました"},
      {{VK_F12, VK_F11}, L"エラー", L"ホットキーの設定ができませんでした"}};
  for (const auto& c : cases) {
    std::vector<std::unique_ptr<HeldHotKey>> held;
    for (UINT key : c.held) held.push_back(std::make_unique<HeldHotKey>(0x7000 + key, key));
    for (const auto& key : held) ASSERT_TRUE(key->Held());
    LauncherSession session(OneAlias(), {L"", false});
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = session.FindMessageBox(c.title)) != nullptr; }))
        << "no message box titled " << Utf8(c.title);
    EXPECT_EQ(MessageBoxText(box).value_or(L""), c.text);
    EXPECT_EQ(session.SettingsBytes(),
              fakes::SettingsText({{"mail", "C:\\mail.exe"}}, "HotKey=122\r\n"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return session.Visible(); })) << "start-up did not go on";
    if (c.held.size() > 1) continue;
    ASSERT_TRUE(session.Press({VK_ESCAPE}));
    ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
    ASSERT_TRUE(PressKeys({VK_F11}));
    EXPECT_TRUE(WaitUntil([&] { return session.Visible(); })) << "F11 did not show the launcher";
  }
}

TEST(HotKeyE2e, SecondStartEndsAtOnceWithoutAWindow) {
  LauncherSession session(OneAlias());
  DWORD second = 0;
  EXPECT_EQ(session.RunSecondCopy(&second), std::optional<DWORD>(0)) << "it kept running";
  EXPECT_EQ(FindTopLevelWindow(second, L"", L"Mirabelton"), nullptr);
  EXPECT_TRUE(session.Visible());  // the first one runs on
}

}  // namespace
}  // namespace e2e
