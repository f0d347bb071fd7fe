// The launcher's real window with its form over fakes. Windows only.
#ifdef _WIN32

#include "platform/win32/main_window.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/launcher_fixture.h"

namespace {

using MainWindowTest = fakes::LauncherFixture;  // its services, under a real window

// Regression: the form of a second start was gone before its window, whose
// end then ran the form's unload steps on the destroyed form.
TEST_F(MainWindowTest, ASecondStartEndsWithoutReachingItsFormOrShowingTheWindow) {
  system.anotherInstance = true;
  auto window = std::make_unique<win32::MainWindow>(GetModuleHandleW(nullptr));
  ASSERT_TRUE(window->Create());
  {
    launcher::frmMain form(
        {*window, window->cmbRun, window->cmdOK, window->cmdCancel, window->picAbout,
         window->lblTitle, window->lblPlatform, window->imgRunRaised, window->imgSetRaised},
        {shell, environment, store, messageBoxes, system, hotKey, settingsWindow}, shared);
    EXPECT_EQ(win32::RunLauncher(*window, form), 0);
  }
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  window.reset();  // as wWinMain ends: the window goes after its form
  EXPECT_EQ(system.log, std::vector<std::string>{"ClaimSingleInstance"});
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's, not the suite's
}

}  // namespace

#endif  // _WIN32
