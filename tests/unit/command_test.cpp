#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/command_text.h"
#include "tests/fakes/launcher_fixture.h"

namespace {

using fakes::LauncherFixture;

TEST(PrevHistoryIndex, ReadsTheSuffixAsARoundedNumber) {
  const std::pair<int, std::vector<const wchar_t*>> groups[] = {
      {0,
       {L"@prev", L"@prev0", L"@prev0.5", L"@prev 0.49", L"@prev-1", L"@prev-0.4", L"@prev7",
        L"@prev3", L"@prev2.6", L"@prevx", L"@prev 1 2", L"@prev1.2.3", L"@prev.", L"@prev-",
        L"@prev   ", L"@prev99999999999999999999999999999", L"@prev0.50"}},
      {1, {L"@prev1", L"@prev 1", L"@prev.6", L"@prev 1. ", L"@prev0.500001"}},
      {2,
       {L"@PREV2", L"@prev 1.5", L"@prev2.5", L"@prev1.5000001", L"@prev+2", L"@prev1.9",
        L"@prev0000000000000000000002"}}};
  for (const auto& [expected, texts] : groups) {
    for (const wchar_t* text : texts) {
      EXPECT_EQ(core::PrevHistoryIndex(text), expected) << std::wstring(text).size();
    }
  }
}

class CommandTest : public LauncherFixture {
 protected:
  void SetUp() override {
    LoadAliases({{"mail", "C:\\Programs\\mail.exe"}, {"web", "https://example.com/"}});
  }
};

TEST_F(CommandTest, DecisionTableForPlainTexts) {
  Run(L"ma");      // completed to mail
  Run(L"C:\\ma");  // a backslash: as typed
  form.Show();
  cmbRun.SetText(L"");
  Type(L"ma");
  PressBackspace();  // removes the completed part; match off: "ma" goes as typed
  PressEnter();
  Run(L"notepad");
  EXPECT_EQ(shell.opened,
            (std::vector<std::wstring>{L"C:\\Programs\\mail.exe", L"C:\\ma", L"ma", L"notepad"}));
  EXPECT_FALSE(form.Visible());
  LoadAliases({{"c:\\x", "C:\\target"}});
  Run(L"c:\\");
  ASSERT_EQ(main.MatchIndex(), 1);
  EXPECT_EQ(shell.opened.back(), L"c:\\x");  // the backslash wins over the match
  shell.results[L"missing\\file"] = 32;      // 32 and below are errors, not recorded
  Run(L"missing\\file");
  EXPECT_EQ(shared.RunHistory[0], L"c:\\x");
}

TEST_F(CommandTest, AboutShowsThePanelAndEmptyTextOrCancelPutsItAway) {
  for (const wchar_t* text : {L"@about", L"@ABOUT", L"@aboutxyz"}) {
    picAbout.SetTop(960);
    Run(text);
    EXPECT_EQ(picAbout.Top(), 270) << text;
    EXPECT_TRUE(form.Visible());
  }
  EXPECT_EQ(cmdCancel.focusCount, 3);
  Run(L"");
  EXPECT_EQ(picAbout.Top(), 1000);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(main.LastCommand(), L"@aboutxyz");  // an empty text is no command
  picAbout.SetTop(960);
  form.Show();
  cmdCancel.Press();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 960);  // never shown: left where it was
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(form.unloadCount, 0);
}

TEST_F(CommandTest, ReRecallsTheLastCommandAndCompletionMatchesIt) {
  Run(L"@re");  // nothing to recall: no command
  EXPECT_FALSE(form.Visible());
  Run(L"ma");
  Run(L"@re");
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(cmbRun.Shown(), L"[mail]");
  EXPECT_EQ(main.MatchIndex(), 1);
  EXPECT_EQ(main.LastCommand(), L"mail");
  Run(L"@about");
  Run(L"@re");
  EXPECT_EQ(cmbRun.Text(), L"@about");
  Run(L"@RE");  // in capitals it becomes the last command itself
  EXPECT_EQ(main.LastCommand(), L"@RE");
  EXPECT_EQ(cmbRun.Text(), L"@RE");
  EXPECT_EQ(shell.opened.size(), 1u);

  // "ma" run as typed comes back completed, and all of it is selected.
  cmbRun.SetText(L"");
  Type(L"ma");
  PressBackspace();
  PressEnter();
  Run(L"@re");
  EXPECT_EQ(cmbRun.Shown(), L"[mail]");
}

// Each picture button and label acts through its own events.
TEST_F(CommandTest, PictureButtonsAndLabelsActThroughTheirEvents) {
  lblRun.MouseDown(1, 0, 0, 0);
  lblSet.MouseDown(2, 0, 0, 0);
  EXPECT_FALSE(imgRunRaised.Visible() || imgSetRaised.Visible());
  lblSet.MouseUp(2, 0, 0, 0);
  EXPECT_TRUE(imgSetRaised.Visible() && !imgRunRaised.Visible());
  cmbRun.SetText(L"web");
  lblRun.ClickWithMouse();
  EXPECT_TRUE(imgRunRaised.Visible());
  EXPECT_EQ(shell.opened, std::vector<std::wstring>{L"https://example.com/"});
  for (fakes::FakeLabel* hides : {&lblHide, &lblClose}) {
    form.Show();
    hides->Click();
    EXPECT_FALSE(form.Visible());
  }
  EXPECT_EQ(cmbRun.OLEDragOver(true) * 10 + cmbRun.OLEDragOver(false), 10);
  cmbRun.OLEDragDrop({L"C:\\dropped.txt", L"C:\\second.txt"});
  EXPECT_EQ(cmbRun.Text(), L"C:\\dropped.txt");
  lblEnd.Click();
  cmdEnd.Press();
  EXPECT_EQ(form.unloadCount, 2);
}

// The window follows the pointer while the title band is held, and stays
// put once it is let go.
TEST_F(CommandTest, TheTitleBandDragsTheWindowUntilReleased) {
  form.Move(1000, 2000);
  lblBlue.MouseDown(1, 0, 100, 50);
  lblBlue.MouseMove(1, 0, 400, 20.5);  // half a twip rounds to the even neighbour
  EXPECT_EQ(std::pair(form.Left(), form.Top()), std::pair(1300, 1970));
  lblBlue.MouseUp(1, 0, 400, 20);
  lblBlue.MouseMove(0, 0, 900, 900);
  EXPECT_EQ(std::pair(form.Left(), form.Top()), std::pair(1300, 1970));
}

TEST_F(CommandTest, MyPathOpensTheProgramFolderAndExitUnloads) {
  Run(L"@me");
  Run(L"@MyPathAnything");
  Run(L"@prev");
  EXPECT_EQ(shell.opened, std::vector<std::wstring>(3, environment.folder));
  EXPECT_EQ(shared.RunHistory[1], environment.folder);
  Run(L"@unknown");
  EXPECT_EQ(form.unloadCount, 0);
  Run(L"@Exit now");
  KeyDown(platform::kVkX, platform::kAltMask);
  EXPECT_EQ(form.unloadCount, 2);
  EXPECT_EQ(shell.opened.size(), 3u);
}

}  // namespace
