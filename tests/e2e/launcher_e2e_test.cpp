// The real launcher under Wine: keys in, windows and launches observed.
// Every alias points at a copy of probe.exe in the session's folder, named
// for the alias, so the probe's log tells which alias was opened.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/launcher_session.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/wait.h"

namespace e2e {
namespace {

struct Alias {
  std::wstring shortName;
  std::wstring fileName;  // in the session's folder
};

SettingsWriter Programs(std::vector<Alias> aliases) {
  return [aliases](const std::filesystem::path& folder) {
    std::string text = "[Programs]\r\nTotalNumber=" + std::to_string(aliases.size()) + "\r\n";
    for (size_t i = 0; i < aliases.size(); ++i) {
      const std::string key = std::to_string(i + 1);
      text += key + "=" + Utf8(aliases[i].shortName) + "\r\n";
      text += key + "R=" + Utf8((folder / aliases[i].fileName).wstring()) + "\r\n";
    }
    return text;
  };
}

// A path as the shell also takes it, with '/': a text holding '\' is
// opened as typed whatever completion made of it.
std::wstring WithSlashes(const std::filesystem::path& path) {
  std::wstring text = path.wstring();
  for (wchar_t& c : text) {
    if (c == L'\\') c = L'/';
  }
  return text;
}

bool Mentions(const std::string& line, const std::string& fileName) {
  return line.find(fileName) != std::string::npos;
}

class LauncherE2e : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!HasFailure()) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    SaveScreenshot(ArtifactFolder() /
                   (std::string(test->test_suite_name()) + "." + test->name() + ".bmp"));
  }

  LauncherSession& Start(const SettingsWriter& settings) {
    session_.emplace(settings);
    return *session_;
  }

  // Waits until the probe has logged `count` starts in all.
  ::testing::AssertionResult Launches(size_t count) {
    if (WaitUntil([&] { return session_->ProbeLog().size() >= count; })) {
      return ::testing::AssertionSuccess();
    }
    auto result = ::testing::AssertionFailure()
                  << "expected " << count << " launches, the probe logged:";
    for (const std::string& line : session_->ProbeLog()) result << "\n  " << line;
    return result;
  }

  ::testing::AssertionResult Hides() {
    if (WaitUntil([&] { return !session_->Visible(); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the launcher window stayed visible";
  }

  ::testing::AssertionResult Runs(const std::wstring& command) {
    if (!session_->Present()) {
      return ::testing::AssertionFailure() << "cannot bring the launcher back";
    }
    if (!session_->Type(command) || !session_->Press({VK_RETURN})) {
      return ::testing::AssertionFailure() << "SendInput refused the keys";
    }
    return ::testing::AssertionSuccess();
  }

  std::optional<LauncherSession> session_;
};

TEST_F(LauncherE2e, TypingCompletesAShortNameAndEnterOpensIt) {
  auto& session = Start(Programs({{L"mail", L"mail.exe"}, {L"map", L"map.exe"}}));
  session.AddProbe(L"mail.exe");
  session.AddProbe(L"map.exe");
  ASSERT_TRUE(session.Visible()) << "the launcher starts shown";

  ASSERT_TRUE(session.Type(L"m"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"mail"; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  EXPECT_EQ(session.Selection(), (TextSelection{1, 4})) << "the completed part is selected";

  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(Launches(1));
  EXPECT_TRUE(Mentions(session.ProbeLog()[0], "mail.exe")) << session.ProbeLog()[0];
  EXPECT_TRUE(Hides());
}

TEST_F(LauncherE2e, AfterBackspaceEnterOpensTheTextAsTyped) {
  // A short name that extends the typed path: completion offers it, and
  // Backspace takes the offer back.
  auto& session = Start([](const std::filesystem::path& folder) {
    return Programs({{WithSlashes(folder / L"probe.exe") + L"-mail", L"mail.exe"}})(folder);
  });
  session.AddProbe(L"mail.exe");
  const std::wstring typed = WithSlashes(session.Folder() / L"probe.exe");

  ASSERT_TRUE(session.Type(typed));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == typed + L"-mail"; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  ASSERT_TRUE(session.Press({VK_BACK}));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == typed; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  ASSERT_TRUE(session.Press({VK_RETURN}));

  ASSERT_TRUE(Launches(1));
  EXPECT_TRUE(Mentions(session.ProbeLog()[0], "probe.exe")) << session.ProbeLog()[0];
  EXPECT_TRUE(Hides());
}

TEST_F(LauncherE2e, APathWithABackslashIsOpenedAsTyped) {
  auto& session = Start(Programs({{L"mail", L"mail.exe"}}));
  const std::wstring path = (session.Folder() / L"probe.exe").wstring();

  ASSERT_TRUE(session.Type(path));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == path; }))
      << "box holds \"" << Utf8(session.ComboText()) << "\"";
  ASSERT_TRUE(session.Press({VK_RETURN}));

  ASSERT_TRUE(Launches(1));
  EXPECT_TRUE(Mentions(session.ProbeLog()[0], "probe.exe")) << session.ProbeLog()[0];
}

TEST_F(LauncherE2e, PrevReopensTheLaunchItNames) {
  auto& session =
      Start(Programs({{L"a1", L"probe1.exe"}, {L"a2", L"probe2.exe"}, {L"a3", L"probe3.exe"}}));
  for (const wchar_t* name : {L"probe1.exe", L"probe2.exe", L"probe3.exe"}) session.AddProbe(name);

  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(Runs(L"a" + std::to_wstring(i)));
    ASSERT_TRUE(Launches(i));
    ASSERT_TRUE(Hides());
  }
  ASSERT_TRUE(Runs(L"@prev 2"));
  ASSERT_TRUE(Launches(4));
  EXPECT_TRUE(Mentions(session.ProbeLog()[3], "probe1.exe")) << session.ProbeLog()[3];
}

TEST_F(LauncherE2e, AFailedLaunchIsNotRemembered) {
  auto& session = Start(Programs({{L"good", L"probe.exe"}, {L"gone", L"missing.exe"}}));

  ASSERT_TRUE(Runs(L"good"));
  ASSERT_TRUE(Launches(1));
  ASSERT_TRUE(Hides());
  ASSERT_TRUE(Runs(L"gone"));
  ASSERT_TRUE(Hides());
  ASSERT_TRUE(Runs(L"@prev"));
  ASSERT_TRUE(Launches(2)) << "@prev should reopen the last launch that worked";
  EXPECT_TRUE(Mentions(session.ProbeLog()[1], "probe.exe")) << session.ProbeLog()[1];
}

// The list the box opens holds every short name in file order, not sorted.
TEST_F(LauncherE2e, F4OpensTheListOfEveryShortNameInFileOrder) {
  std::vector<Alias> aliases;
  for (int i = 0; i < 300; ++i) {
    aliases.push_back({L"n" + std::to_wstring(i * 7919 % 1000), L"probe.exe"});
  }
  auto& session = Start(Programs(aliases));
  ASSERT_TRUE(session.Press({VK_F4}));
  HWND list = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    list = FindTopLevelWindow(session.ProcessId(), L"ComboLBox", L"");
    return list && IsWindowVisible(list);
  })) << "F4 did not open the list";

  std::vector<std::wstring> shown;
  DWORD_PTR count = 0;
  ASSERT_TRUE(SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count));
  for (WPARAM i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    shown.emplace_back(text);
  }
  std::vector<std::wstring> expected;
  for (const Alias& alias : aliases) expected.push_back(alias.shortName);
  EXPECT_EQ(shown, expected);
}

TEST_F(LauncherE2e, ExitEndsTheProgram) {
  auto& session = Start(Programs({}));

  ASSERT_TRUE(session.Type(L"@exit"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(session.WaitForExit(10'000)) << "the launcher still runs";
  EXPECT_EQ(session.ExitCode(), 0u);
}

}  // namespace
}  // namespace e2e
