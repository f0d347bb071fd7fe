// The launcher's own window under Wine: its size and looks, the about
// panel, and a file dropped on the command box. The pictures it saves are
// for people reading a test run.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/mouse.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"
#include "tests/fakes/file_list_data.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

SettingsWriter TwoAliases() {
  return [](const std::filesystem::path& folder) {
    return fakes::SettingsText({{"notepad", "C:\\windows\\notepad.exe"},
                                {"probe", Utf8((folder / L"probe.exe").wstring())}});
  };
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// A point of the launcher, in pixels at 96 DPI from its top left, on the screen.
POINT At(HWND window, int x, int y) {
  const RECT rect = WindowRect(window);
  return {rect.left + x, rect.top + y};
}

COLORREF ScreenPixel(POINT point) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// The about panel's top relative to the window's, in pixels.
std::optional<int> AboutPanelOffset(const LauncherSession& session) {
  HWND panel = FindDescendant(session.Window(), L"MirabeltonAboutPanel");
  if (!panel) return std::nullopt;
  return WindowRect(panel).top - WindowRect(session.Window()).top;
}

void SaveLauncherShot(const std::string& name) {
  SaveScreenshot(ArtifactFolder() / ("ChromeE2e." + name + ".bmp"));
}

TEST(ChromeE2e, TheStripIs240By50AndLooksItsPart) {
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // real pixels
  SetCursorPos(0, 0);  // no tooltip in the pictures
  LauncherSession session(TwoAliases());
  const RECT rect = WindowRect(session.Window());
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, 50);
  EXPECT_NEAR(rect.left + 120, GetSystemMetrics(SM_CXSCREEN) / 2, 1);  // centred
  EXPECT_EQ(GetWindowLongW(session.Window(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(WaitUntil([&] {
    const COLORREF band = ScreenPixel(At(session.Window(), 6, 9));
    return GetBValue(band) > GetRValue(band) + 40;  // the title band is blue at its left
  })) << "the title band is not blue";
  const COLORREF triangle = ScreenPixel(At(session.Window(), 221, 34));
  EXPECT_GT(GetBValue(triangle), GetRValue(triangle) + 50) << "no dark-blue run triangle";
  SaveLauncherShot("launcher");

  ASSERT_TRUE(session.Type(L"not"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"notepad"; }));
  SaveLauncherShot("launcher-completed");

  // The about panel slides up over the box and its Cancel takes the focus:
  // Enter hides the launcher, and the hot key brings it back without it.
  EXPECT_GE(AboutPanelOffset(session).value_or(0), 50);
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  SaveLauncherShot("launcher-about");
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);  // put away, 1000 twips
}

// Drags the data from start onto target with the pointer, by injected
// moves (no button: the system gives a button's state only to the
// foreground thread), and drops it; the effect the drop ended with.
DWORD DragAndDrop(fakes::FileListData& data, POINT start, POINT target) {
  std::thread hand([&] {
    for (int step = 1; step <= 8; ++step) {
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
      MovePointer(
          {start.x + (target.x - start.x) * step / 8, start.y + (target.y - start.y) * step / 8});
    }
    // Long enough for the drag loop to see the target under the pointer.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    data.release = true;
  });
  MovePointer(start);
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(&data, &data, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  hand.join();
  return effect;
}

TEST(ChromeE2e, AFileDroppedOnTheCommandBoxBecomesItsText) {
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"no"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"notepad"; }));
  const POINT start = At(session.Window(), 120, 120);
  const POINT box = At(session.Window(), 90, 34);

  fakes::FileListData text(fakes::PlainText{L"C:\\plain.txt"});
  EXPECT_EQ(DragAndDrop(text, start, box), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(session.ComboText(), L"notepad");
  fakes::FileListData files({L"C:\\Program Files\\Editor\\edit.exe", L"C:\\b.txt"});
  EXPECT_EQ(DragAndDrop(files, start, box), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(WaitUntil([&] {
    return session.ComboText() == L"C:\\Program Files\\Editor\\edit.exe";
  })) << Utf8(session.ComboText());
  EXPECT_TRUE(session.Visible());
  EXPECT_TRUE(session.ProbeLog().empty());
  OleUninitialize();
}

}  // namespace
}  // namespace e2e
