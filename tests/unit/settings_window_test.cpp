// The real settings window, built in this process over an in-memory
// settings file: no opening leaves objects behind.
// Windows only.
#ifdef _WIN32

#include <windows.h>
#undef ReplaceFile

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/settings_window.h"
#include "tests/fakes/memory_file_access.h"
#include "tests/fakes/settings_text.h"
#include "tests/fakes/test_code_page.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\Tools\\Mirabelton";
constexpr wchar_t kPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";

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
TEST(SettingsWindowTest, OpeningAndClosingAHundredTimesLeavesNoObjectsBehind) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));  // for the window's drop targets
  fakes::MemoryFileAccess files;
  files.files[kPath] = fakes::SettingsText(
      {{"mail", "C:\\mail.exe"}, {"web", "https://example.org/"}, {"calc", "C:\\calc.exe"}},
      "HotKey=1626\r\n");
  files.exactNames.insert({kFolder, L"Mirabelton.ini"});
  const auto codePage = fakes::MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Ansi, kPath};
  launcher::SharedState shared;
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

}  // namespace

#endif  // _WIN32
