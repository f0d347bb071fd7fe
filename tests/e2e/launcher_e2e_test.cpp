// The real launcher under Wine: keys in, windows and launches observed.
// Every alias points at a copy of probe.exe in the session's folder, named
// for the alias, so the probe's log tells which alias was opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

// Aliases a1, a2, ... each opening a probe named probe1.exe, probe2.exe, ...
// or the given short names, opening <name>.exe.
SettingsWriter Programs(std::vector<std::string> names) {
  return [names](const std::filesystem::path& folder) {
    fakes::Aliases aliases;
    for (const std::string& name : names) {
      aliases.push_back({name, Utf8((folder / (name + ".exe")).wstring())});
    }
    return fakes::SettingsText(aliases);
  };
}

class LauncherE2e : public ::testing::Test {
 protected:
  LauncherSession& Start(const std::vector<std::string>& names) {
    session_.emplace(Programs(names));
    for (const std::string& name : names) session_->AddProbe(Utf16(name) + L".exe");
    return *session_;
  }
  static std::wstring Utf16(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }
  // Waits until the probe has logged `count` starts, the last of `name`.
  ::testing::AssertionResult Launched(size_t count, const std::string& name) {
    WaitUntil([&] { return session_->ProbeLog().size() >= count; });
    const auto log = session_->ProbeLog();
    if (log.size() == count && log.back().find(name + ".exe") != std::string::npos) {
      return ::testing::AssertionSuccess();
    }
    auto result = ::testing::AssertionFailure() << "expected " << count << " launches, the last "
                                                << name << "; the probe logged:";
    for (const std::string& line : log) result << "\n  " << line;
    return result;
  }
  ::testing::AssertionResult Hides() {
    if (WaitUntil([&] { return !session_->Visible(); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the launcher window stayed visible";
  }
  bool Runs(const std::wstring& command) {
    return session_->Present() && session_->Type(command) && session_->Press({VK_RETURN});
  }

  std::optional<LauncherSession> session_;
};

TEST_F(LauncherE2e, TypingCompletesAShortNameAndEnterOpensIt) {
  auto& session = Start({"mail", "map"});
  ASSERT_TRUE(session.Visible()) << "the launcher starts shown";
  ASSERT_TRUE(session.Type(L"m"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"mail"; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  EXPECT_EQ(session.Selection(), (TextSelection{1, 4})) << "the completed part is selected";
  ASSERT_TRUE(session.Press({VK_RETURN}));
  EXPECT_TRUE(Launched(1, "mail"));
  EXPECT_TRUE(Hides());
}

TEST_F(LauncherE2e, PrevAndReBringBackEarlierCommands) {
  Start({"a1", "a2", "a3"});
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(Runs(L"a" + std::to_wstring(i)));
    ASSERT_TRUE(Launched(i, "a" + std::to_string(i)));
    ASSERT_TRUE(Hides());
  }
  ASSERT_TRUE(Runs(L"@prev 2"));
  EXPECT_TRUE(Launched(4, "a1"));
  ASSERT_TRUE(Runs(L"@re"));
  ASSERT_TRUE(WaitUntil([&] { return session_->ComboText() == L"@prev 2"; }))
      << "box holds \"" << Utf8(session_->ComboText()) << "\"";
  ASSERT_TRUE(session_->Press({VK_RETURN}));
  EXPECT_TRUE(Launched(5, "a1"));
}

TEST_F(LauncherE2e, ExitEndsTheProgramAndReleasesTheHotKey) {
  auto& session = Start({});
  auto keyIsFree = [] {
    if (!RegisterHotKey(nullptr, 0x7001, 0, VK_F12)) return false;
    return UnregisterHotKey(nullptr, 0x7001) != FALSE;
  };
  ASSERT_FALSE(keyIsFree());
  ASSERT_TRUE(Runs(L"@exit"));
  ASSERT_TRUE(session.WaitForExit(20'000)) << "the launcher still runs";
  EXPECT_EQ(session.ExitCode(), 0u);
  EXPECT_TRUE(keyIsFree());
}

// The list the box opens holds every short name in file order, not sorted.
TEST_F(LauncherE2e, F4OpensTheListOfEveryShortNameInFileOrder) {
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) names.push_back("n" + std::to_string(i * 7919 % 1000));
  session_.emplace(Programs(names));
  ASSERT_TRUE(session_->Present() && session_->Press({VK_F4}));
  HWND list = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    list = FindTopLevelWindow(session_->ProcessId(), L"ComboLBox", L"");
    return list && IsWindowVisible(list);
  })) << "F4 did not open the list";
  std::vector<std::string> shown;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    wchar_t text[64] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    shown.push_back(Utf8(text));
  }
  EXPECT_EQ(shown, names);
}

}  // namespace
}  // namespace e2e
