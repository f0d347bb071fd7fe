#include <gtest/gtest.h>

#include "tests/fakes/launcher_fixture.h"

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

class ChromeTest : public fakes::LauncherFixture {
 protected:
  void SetUp() override { form.Move(6000, 4500); }
  void ExpectAt(int left, int top) {
    EXPECT_EQ(form.Left(), left);
    EXPECT_EQ(form.Top(), top);
  }
};

TEST_F(ChromeTest, DraggingTheTitleBandMovesTheWindowByThePointersTravel) {
  main.lblBlue_MouseMove(0, 0, 500, 100);  // hovering without a press
  ExpectAt(6000, 4500);
  main.lblBlue_MouseDown(kRight, kShift, 600, 120);  // any button drags
  main.lblBlue_MouseMove(0, 0, 600 + 450, 120);
  ExpectAt(6450, 4500);
  // The window has followed, so the pointer is back at the press point.
  main.lblBlue_MouseMove(kLeft, 0, 600 - 150, 120 + 75);
  ExpectAt(6300, 4575);
  main.lblBlue_MouseUp(kLeft, 0, 450, 195);  // another button's release ends it too
  EXPECT_FALSE(main.Dragging());
  main.lblBlue_MouseMove(kLeft, 0, 900, 300);
  ExpectAt(6300, 4575);

  // Press points are rounded to whole twips, halves to even.
  main.lblBlue_MouseDown(kLeft, 0, 6.5, 7.5);  // 6 and 8
  main.lblBlue_MouseMove(kLeft, 0, 16, 18);
  ExpectAt(6310, 4585);
  main.lblBlue_MouseDown(kLeft, 0, 15.4, 15.6);  // 15 and 16
  main.lblBlue_MouseMove(kLeft, 0, 15, 16);
  ExpectAt(6310, 4585);
}

TEST_F(ChromeTest, AltShortcutsLookOnlyAtTheAltBitAndTheGlyphsHideOrEnd) {
  for (int shift : {0, kShift, kCtrl}) main.Form_KeyDown('S', shift);
  main.Form_KeyDown('X', 0);
  main.Form_KeyDown('A', kAlt);  // Alt+A belongs to the hidden button, not here
  EXPECT_EQ(settingsWindow.shown, 0);
  for (int shift : {kAlt, kCtrl | kAlt, kShift | kCtrl | kAlt}) main.Form_KeyDown('S', shift);
  EXPECT_EQ(settingsWindow.shown, 3);
  EXPECT_EQ(form.unloadCount, 0);
  main.Form_KeyDown('X', kCtrl | kAlt);
  EXPECT_EQ(form.unloadCount, 1);
  main.lblEnd_Click();
  EXPECT_EQ(form.unloadCount, 2);

  picAbout.SetTop(270);
  main.lblClose_Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(picAbout.Top(), 1000);
  form.Show();
  main.lblHide_Click();
  EXPECT_FALSE(form.Visible());
  ExpectAt(6000, 4500);
}

TEST_F(ChromeTest, ADroppedFileListReplacesTheTextCompletesAndLaunchesNothing) {
  EXPECT_EQ(main.cmbRun_OLEDragOver(true), 1);
  EXPECT_EQ(main.cmbRun_OLEDragOver(false), 0);
  LoadAliases({{"D:\\Work\\plan", "D:\\Work\\plan-2026.xlsx"}});
  Type(L"ab");
  main.cmbRun_OLEDragDrop({});  // plain text: no file list
  EXPECT_EQ(cmbRun.Text(), L"ab");
  main.cmbRun_OLEDragDrop({L"d:\\work"});
  EXPECT_EQ(cmbRun.Text(), L"D:\\Work\\plan");
  EXPECT_EQ(main.MatchIndex(), 1);
  main.cmbRun_OLEDragDrop({L"C:\\Program Files\\Editor\\edit.exe", L"C:\\b.txt"});
  EXPECT_EQ(cmbRun.Text(), L"C:\\Program Files\\Editor\\edit.exe");
  EXPECT_EQ(main.MatchIndex(), 0);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(form.Visible());
  PressEnter();
  EXPECT_EQ(shell.opened, std::vector<std::wstring>{L"C:\\Program Files\\Editor\\edit.exe"});
}

}  // namespace
