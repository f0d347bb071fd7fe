// The launcher's own chrome on the real window under Wine: its size at two
// DPIs, its looks, dragging by the title band, the glyphs, the pressed run
// button, the about panel and the Alt shortcuts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

SettingsWriter TwoAliases() {
  return [](const std::filesystem::path& folder) {
    return "[Programs]\r\nTotalNumber=2\r\n1=notepad\r\n1R=C:\\windows\\notepad.exe\r\n2=probe\r\n2R=" +
           Utf8((folder / L"probe.exe").wstring()) + "\r\n";
  };
}

// Geometry in real pixels: an unaware test would see the window scaled.
void ReadPhysicalPixels() { SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2); }

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

struct Colour {
  int r = 0, g = 0, b = 0;
};

Colour ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
}

// A point of the launcher's client area, in pixels at 96 DPI, on the screen.
POINT At(HWND window, int x, int y) {
  const RECT rect = WindowRect(window);
  return {rect.left + x, rect.top + y};
}

bool SendMouse(DWORD flags, POINT screen) {
  // Absolute coordinates run over 0..65536 of the screen; rounding up lands
  // exactly on the pixel whatever way the system scales them back.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x) * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof input) == 1;
}

bool PointerAt(POINT screen) {
  POINT now{};
  return WaitUntil([&] { return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; });
}

bool MoveMouse(POINT screen) { return SendMouse(0, screen) && PointerAt(screen); }

bool Click(POINT screen) {
  return MoveMouse(screen) && SendMouse(MOUSEEVENTF_LEFTDOWN, screen) && SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

// The about panel's top relative to the window's, in pixels.
std::optional<int> AboutPanelOffset(const LauncherSession& session) {
  HWND panel = FindDescendant(session.Window(), L"MirabeltonAboutPanel");
  if (!panel) return std::nullopt;
  return WindowRect(panel).top - WindowRect(session.Window()).top;
}

// Sets the DPI that Wine reports to programs started afterwards, and puts
// the old value back, so no other test sees it.
class SystemDpi {
public:
  explicit SystemDpi(DWORD dpi) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
           ERROR_SUCCESS;
    set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
           ERROR_SUCCESS;
  }
  ~SystemDpi() {
    if (!key_) return;
    if (had_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  SystemDpi(const SystemDpi&) = delete;
  SystemDpi& operator=(const SystemDpi&) = delete;
  bool Set() const { return set_; }

private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
  bool set_ = false;
};

void SaveLauncherShot(const std::string& name) {
  SaveScreenshot(ArtifactFolder() / ("ChromeE2e." + name + ".bmp"));
}

TEST(ChromeE2e, TheStripIs240By50AndLooksItsPart) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  const RECT rect = WindowRect(session.Window());
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, 50);
  const LONG style = GetWindowLongW(session.Window(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
  // Centred on the screen.
  EXPECT_NEAR(rect.left + 120, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(WaitUntil([&] {
    const Colour band = ScreenPixel(rect.left + 6, rect.top + 9);
    return band.b > band.r + 40;  // the title band is blue at its left
  })) << "the title band is not blue";
  const Colour body = ScreenPixel(rect.left + 4, rect.top + 40);
  EXPECT_FALSE(body.r == 255 && body.g == 255 && body.b == 255) << "the body is plain white";
  const Colour triangle = ScreenPixel(rect.left + 221, rect.top + 34);
  EXPECT_LT(triangle.r, 90);  // the run button's dark-blue triangle
  EXPECT_GT(triangle.b, triangle.r + 50);
  SaveLauncherShot("launcher");

  ASSERT_TRUE(session.Type(L"not"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"notepad"; }));
  SaveLauncherShot("launcher-completed");

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  SaveLauncherShot("launcher-about");
}

TEST(ChromeE2e, TheProgramCarriesItsIconAtTheUsualSizes) {
  LauncherSession session(TwoAliases(), {L"/h", false});
  HMODULE exe = LoadLibraryExW((session.Folder() / L"Mirabelton.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(exe, group)));
  for (int size : {16, 32, 48}) {
    // The image the system would pick must be drawn at that size, not stretched.
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(exe, MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biBitCount, 32) << size;
  }
  FreeLibrary(exe);
}

TEST(ChromeE2e, TheStripScalesWithTheDpi) {
  ReadPhysicalPixels();
  SystemDpi dpi(144);
  ASSERT_TRUE(dpi.Set());
  LauncherSession session(TwoAliases());
  const RECT rect = WindowRect(session.Window());
  EXPECT_EQ(rect.right - rect.left, 360);
  EXPECT_EQ(rect.bottom - rect.top, 75);
  RECT box{};
  GetWindowRect(session.Combo(), &box);
  EXPECT_EQ(box.left - rect.left, 48);  // 480 twips
  EXPECT_EQ(box.right - box.left, 254);  // 2535 twips
  ASSERT_TRUE(session.Present());
  SaveLauncherShot("launcher-144dpi");
}

TEST(ChromeE2e, DraggingTheTitleBandMovesTheWindowByThePointersTravel) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  const RECT before = WindowRect(session.Window());
  POINT pointer = At(session.Window(), 60, 8);
  ASSERT_TRUE(MoveMouse(pointer));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTDOWN, pointer));
  for (int step = 0; step < 3; ++step) {
    pointer.x += 10;
    pointer.y += step == 0 ? 12 : 0;
    ASSERT_TRUE(MoveMouse(pointer));
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(session.Window()).left == before.left + 10 * (step + 1); }))
        << "step " << step;
  }
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTUP, pointer));
  const RECT after = WindowRect(session.Window());
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 12);
  EXPECT_EQ(after.right - after.left, 240);

  // Released: moving on leaves the window where it is.
  ASSERT_TRUE(MoveMouse({pointer.x + 40, pointer.y + 40}));
  ASSERT_TRUE(PressKeys({VK_SHIFT}));  // something after the move, to know it was handled
  EXPECT_EQ(WindowRect(session.Window()).left, after.left);
}

TEST(ChromeE2e, TheRunButtonLooksPressedUntilTheReleaseEvenOffTheWindow) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  const POINT run = At(session.Window(), 221, 34);
  auto pressed = [&] { return ScreenPixel(run.x, run.y).g > 150; };  // light blue and cyan

  ASSERT_TRUE(MoveMouse(run));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_RIGHTDOWN, run));
  ASSERT_TRUE(WaitUntil(pressed)) << "no pressed look";
  const POINT outside = At(session.Window(), -80, 160);
  ASSERT_TRUE(MoveMouse(outside));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_RIGHTUP, outside));
  EXPECT_TRUE(WaitUntil([&] { return !pressed(); })) << "the pressed look outlasted the release";
  EXPECT_TRUE(session.Visible());  // a release elsewhere is no click

  // A real click runs the (empty) command, which hides the launcher.
  ASSERT_TRUE(Click(run));
  EXPECT_TRUE(WaitUntil([&] { return !session.Visible(); }));
}

TEST(ChromeE2e, TheGlyphsHideAndEnd) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(Click(At(session.Window(), 208, 10)));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); })) << "the minimise glyph did not hide";
  EXPECT_FALSE(session.ExitCode().has_value());

  // The about panel's Close hides the whole launcher.
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  ASSERT_TRUE(Click(At(session.Window(), 208, 40)));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); })) << "Close did not hide";

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(Click(At(session.Window(), 226, 10)));
  EXPECT_TRUE(session.WaitForExit(20'000)) << "the close glyph did not end the program";
}

TEST(ChromeE2e, AltXEndsTheProgramFromTheCommandBox) {
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"no"));
  ASSERT_TRUE(session.Press({VK_MENU, 'X'}));
  ASSERT_TRUE(session.WaitForExit(20'000));
  EXPECT_EQ(session.ExitCode(), 0u);
}

TEST(ChromeE2e, EnterAfterAboutHidesAndTheHotKeyBringsItBackWithoutThePanel) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  EXPECT_GE(AboutPanelOffset(session).value_or(0), 50);  // below the visible strip

  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  EXPECT_TRUE(session.Visible());
  ASSERT_TRUE(session.Press({VK_RETURN}));  // the focus is on the Cancel button now
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);  // put away, 1000 twips

  ASSERT_TRUE(PressKeys({VK_F12}));  // shows it with the focus in the command box
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);
}

} // namespace
} // namespace e2e
