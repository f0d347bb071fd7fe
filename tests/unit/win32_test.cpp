// The Win32 layer in the unit process: the real windows over the launcher
// fixture's fakes, and the exe's own version resource. Windows only.
#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>
#undef ReplaceFile

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "launcher/win32/main_window.h"
#include "mirabelton_version.h"
#include "platform/win32/module_version.h"
#include "settings/win32/settings_window.h"
#include "tests/fakes/launcher_fixture.h"
#include "tests/win32_test_machine.h"

namespace {

using Win32Test = fakes::LauncherFixture;  // its services, under real windows

// Regression: the form of a second start was gone before its window, whose
// end then ran the form's unload steps on the destroyed form.
TEST_F(Win32Test, ASecondStartEndsWithoutReachingItsFormOrShowingTheWindow) {
  system.anotherInstance = true;
  auto window = std::make_unique<win32::MainWindow>(GetModuleHandleW(nullptr));
  ASSERT_TRUE(window->Create());
  {
    launcher::frmMain form(
        window->FormControls(),
        {shell, environment, store, messageBoxes, system, hotKey, settingsWindow}, shared);
    EXPECT_EQ(win32::RunLauncher(*window, form), 0);
  }
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  window.reset();  // as wWinMain ends: the window goes after its form
  EXPECT_EQ(system.log, std::vector<std::string>{"ClaimSingleInstance"});
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's, not the suite's
}

// Live GDI objects of this process (fonts, bitmaps, brushes, DCs...),
// found by asking the type of every handle value. GetGuiResources answers
// 0 under Wine, which does find an object by its table index alone.
int LiveGdiObjects() {
  int count = 0;
  for (UINT_PTR value = 1; value <= 0xFFFF; ++value) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++count;
  }
  return std::max(count, static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)));
}

int WindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// A font, bitmap, brush, icon or window left behind by each opening adds up
// to a hundred objects here (a font leaked on purpose showed exactly 100).
TEST_F(Win32Test, OpeningTheSettingsWindowAHundredTimesLeavesNoObjectsBehind) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));  // for the window's drop targets
  LoadAliases({{"mail", "C:\\mail.exe"}, {"web", "https://example.org/"}});
  files.exactNames.insert({environment.folder, L"Mirabelton.ini"});
  // Each opening builds its window afresh, as the launcher does; the first
  // loads what every later one shares (fonts, classes).
  auto openAndClose = [&](UINT closing) {
    win32::SettingsWindow window(GetModuleHandleW(nullptr), nullptr, store, shared);
    ASSERT_TRUE(window.Create());
    SendMessageW(window.Handle(), closing, IDCANCEL, 0);  // WM_COMMAND IDCANCEL: what Esc sends
    ASSERT_EQ(window.Handle(), nullptr);
  };
  openAndClose(WM_COMMAND);
  const int before = LiveGdiObjects();
  const int windowsBefore = WindowsOfThisThread();
  ASSERT_GT(before, 0) << "no GDI object found at all: the count would prove nothing";
  for (int i = 0; i < 100; ++i) openAndClose(i % 2 ? WM_CLOSE : WM_COMMAND);
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_EQ(WindowsOfThisThread(), windowsBefore);
  EXPECT_EQ(files.replaceCalls, 0);
  OleUninitialize();
}

// Disabling the focused button sends the keyboard focus nowhere: after
// each edit it is on the button pressed or, once Delete has nothing left to
// delete, in the short-name field.
TEST_F(Win32Test, TheKeyboardFocusStaysInTheSettingsWindowAfterAddOverwriteAndDelete) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  LoadAliases({{"mail", "C:\\mail.exe"}});
  files.exactNames.insert({environment.folder, L"Mirabelton.ini"});
  win32::SettingsWindow window(GetModuleHandleW(nullptr), nullptr, store, shared);
  ASSERT_TRUE(window.Create());
  ShowWindow(window.Handle(), SW_SHOW);
  // Says Yes to Delete's question: the box's loop is the only one running.
  const UINT_PTR yes = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    PostMessageW(GetActiveWindow(), WM_COMMAND, IDYES, 0);
  });
  auto press = [&](const char* button) {
    SendMessageW(window.Control("lstIPath"), LB_SETCURSEL, 0, 0);
    SetWindowTextW(window.Control("txtIPath"), L"x");
    SetWindowTextW(window.Control("txtRPath"), L"C:\\x.exe");
    SendMessageW(window.Control(button), BM_CLICK, 0, 0);  // which focuses it first
    return GetFocus();
  };
  EXPECT_EQ(press("cmdAdd"), window.Control("cmdAdd"));
  EXPECT_EQ(press("cmdEdit"), window.Control("cmdEdit"));
  EXPECT_EQ(press("cmdDel"), window.Control("cmdDel"));
  EXPECT_EQ(press("cmdDel"), window.Control("txtIPath")) << "the list is empty";
  KillTimer(nullptr, yes);
  SendMessageW(window.Handle(), WM_COMMAND, IDCANCEL, 0);
  OleUninitialize();
}

// The tooltips wait until the window has painted, but they do come: one for
// each picture button, on a tooltip window the launcher owns.
TEST(MainWindow, GetsItsFourTooltipsOnceItHasPainted) {
  win32::MainWindow window(GetModuleHandleW(nullptr));
  ASSERT_TRUE(window.Create());
  ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
  HWND tips = nullptr;
  for (int wait = 0; wait < 400 && !tips; ++wait) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
           GetWindow(tips, GW_OWNER) != window.Handle()) {
    }
    if (!tips) Sleep(5);
  }
  ASSERT_TRUE(tips) << "no tooltip window two seconds after the first paint";
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 4);
  DestroyWindow(window.Handle());
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's, not the suite's
}

// The launcher's title shows these numbers, read without VERSION.dll.
TEST(ModuleVersion, IsTheProjectVersionInTheExeAndNothingWhereThereIsNone) {
  const std::filesystem::path path = machine::Find(MIRABELTON_EXE_IN_BUILD);
  HMODULE exe = LoadLibraryExW(path.c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(exe) << path.string();
  const auto version = win32::ReadModuleVersion(exe);
  FreeLibrary(exe);
  ASSERT_TRUE(version);
  EXPECT_EQ(version->major, MIRABELTON_VERSION_MAJOR);
  EXPECT_EQ(version->minor, MIRABELTON_VERSION_MINOR);
  EXPECT_FALSE(win32::ReadModuleVersion(GetModuleHandleW(nullptr)));
}

}  // namespace

#endif  // _WIN32
