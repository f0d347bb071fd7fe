#include <gtest/gtest.h>

#include "tests/fakes/launcher_fixture.h"

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kAlt = 4;
constexpr int kCtrl = 2;
constexpr int kShift = 1;

class ChromeTest : public fakes::LauncherFixture {
 protected:
  void SetUp() override { form.Move(6000, 4500); }
};

TEST_F(ChromeTest, DraggingTheTitleBandMovesTheWindowByThePointersTravel) {
  main.lblBlue_MouseMove(0, 0, 500, 100);  // hovering without a press
  EXPECT_EQ(form.Left(), 6000);

  main.lblBlue_MouseDown(kLeft, 0, 600, 120);
  main.lblBlue_MouseMove(kLeft, 0, 600 + 450, 120);  // 30 pixels right at 96 DPI
  EXPECT_EQ(form.Left(), 6450);
  EXPECT_EQ(form.Top(), 4500);
  // The window has followed, so the pointer is back at the press point.
  main.lblBlue_MouseMove(kLeft, 0, 600 - 150, 120 + 75);
  EXPECT_EQ(form.Left(), 6300);
  EXPECT_EQ(form.Top(), 4575);

  main.lblBlue_MouseUp(kLeft, 0, 450, 195);
  EXPECT_FALSE(main.Dragging());
  main.lblBlue_MouseMove(0, 0, 900, 300);
  EXPECT_EQ(form.Left(), 6300);
}

TEST_F(ChromeTest, AnyButtonDragsAndTheButtonStateIsNotLookedAt) {
  main.lblBlue_MouseDown(kRight, kShift, 30, 30);
  main.lblBlue_MouseMove(0, 0, 60, 45);
  EXPECT_EQ(form.Left(), 6030);
  EXPECT_EQ(form.Top(), 4515);
  main.lblBlue_MouseUp(kLeft, 0, 60, 45);  // another button's release ends it too
  EXPECT_FALSE(main.Dragging());
}

TEST_F(ChromeTest, ThePressPointIsRoundedToWholeTwipsHalvesToEven) {
  main.lblBlue_MouseDown(kLeft, 0, 6.5, 7.5);  // 6 and 8
  main.lblBlue_MouseMove(kLeft, 0, 16, 18);
  EXPECT_EQ(form.Left(), 6010);
  EXPECT_EQ(form.Top(), 4510);
  main.lblBlue_MouseUp(kLeft, 0, 16, 18);
  main.lblBlue_MouseDown(kLeft, 0, 15.4, 15.6);  // 15 and 16
  main.lblBlue_MouseMove(kLeft, 0, 15, 16);
  EXPECT_EQ(form.Left(), 6010);
  EXPECT_EQ(form.Top(), 4510);
}

TEST_F(ChromeTest, CancelPutsTheAboutPanelAwayAndHidesWithoutMovingOrUnloading) {
  main.cmdCancel_Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 960);  // never shown: left where it was

  form.Show();
  picAbout.SetTop(270);
  main.lblClose_Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 1000);

  form.Show();
  main.lblHide_Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Left(), 6000);
  EXPECT_EQ(form.hideCount, 3);
  EXPECT_EQ(form.unloadCount, 0);
}

TEST_F(ChromeTest, AltShortcutsLookOnlyAtTheAltBit) {
  main.Form_KeyDown('S', 0);
  main.Form_KeyDown('S', kShift);
  main.Form_KeyDown('S', kCtrl);
  main.Form_KeyDown('X', 0);
  main.Form_KeyDown('A', kAlt);  // Alt+A belongs to the hidden button, not here
  EXPECT_EQ(settingsWindow.shown, 0);
  EXPECT_EQ(form.unloadCount, 0);

  main.Form_KeyDown('S', kAlt);
  main.Form_KeyDown('S', kCtrl | kAlt);
  main.Form_KeyDown('S', kShift | kCtrl | kAlt);
  EXPECT_EQ(settingsWindow.shown, 3);
  EXPECT_EQ(form.unloadCount, 0);

  main.Form_KeyDown('X', kCtrl | kAlt);
  EXPECT_EQ(form.unloadCount, 1);
  main.lblEnd_Click();
  EXPECT_EQ(form.unloadCount, 2);
}

TEST_F(ChromeTest, PressedLooksFollowTheMouseAndTheTwoButtonsAreIndependent) {
  main.lblRun_MouseDown();
  EXPECT_FALSE(imgRunRaised.Visible());
  EXPECT_TRUE(imgSetRaised.Visible());
  main.lblSet_MouseDown();
  EXPECT_FALSE(imgSetRaised.Visible());
  main.lblRun_MouseUp();
  EXPECT_TRUE(imgRunRaised.Visible());
  EXPECT_FALSE(imgSetRaised.Visible());
  main.lblSet_MouseUp();
  EXPECT_TRUE(imgSetRaised.Visible());

  // The keyboard never presses them.
  main.Form_KeyDown('S', kAlt);
  PressEnter();
  EXPECT_TRUE(imgRunRaised.Visible());
  EXPECT_TRUE(imgSetRaised.Visible());
}

TEST_F(ChromeTest, OnlyFileListsMayBeDropped) {
  EXPECT_EQ(main.cmbRun_OLEDragOver(true), 1);
  EXPECT_EQ(main.cmbRun_OLEDragOver(false), 0);
  Type(L"ab");
  const int before = cmbRun.setTextCount;
  main.cmbRun_OLEDragDrop({});  // plain text: no file list
  EXPECT_EQ(cmbRun.Text(), L"ab");
  EXPECT_EQ(cmbRun.setTextCount, before);
}

TEST_F(ChromeTest, ADropReplacesTheTextWithTheFirstPathAndLaunchesNothing) {
  Type(L"no");
  main.cmbRun_OLEDragDrop({L"C:\\Program Files\\Editor\\edit.exe", L"C:\\b.txt", L"C:\\c.txt"});
  EXPECT_EQ(cmbRun.Text(), L"C:\\Program Files\\Editor\\edit.exe");
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(cmbRun.focusCount, 0);
}

TEST_F(ChromeTest, CompletionRunsOnTheDroppedText) {
  LoadAliases({{"D:\\Work\\plan", "D:\\Work\\plan-2026.xlsx"}});
  main.cmbRun_OLEDragDrop({L"d:\\work"});
  EXPECT_EQ(cmbRun.Text(), L"D:\\Work\\plan");
  EXPECT_EQ(main.MatchIndex(), 1);

  main.cmbRun_OLEDragDrop({L"D:\\Other\\file.txt"});
  EXPECT_EQ(main.MatchIndex(), 0);
  PressEnter();
  EXPECT_EQ(shell.opened, std::vector<std::wstring>{L"D:\\Other\\file.txt"});
}

}  // namespace
