// A DLL left beside Mirabelton.exe under a system library's name (users
// start the exe from their Downloads folder) must never run inside it.
// Wine is told to search for those names in the program's folder first, as
// Windows does; the launcher then starts and opens its settings window and
// the browse dialog.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Not known DLLs, so Windows looks beside the exe first. version and
// uxtheme belong here too, but Wine's own user32 loads them into every
// windowed program before its first instruction, which Windows does not:
// tools/check-exe keeps VERSION.dll out of the imports, and
// docs/windows-checklist.md has Windows check both.
constexpr const wchar_t* kPlanted[] = {L"dwmapi", L"comdlg32"};
constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Mirabelton.exe";

TEST(PlantedDll, NoneBesideTheExeRunsInsideTheLauncher) {
  // Wine's overrides for the launcher only: the rest of the prefix is untouched.
  for (const wchar_t* name : kPlanted) {
    RegSetKeyValueW(HKEY_CURRENT_USER, (kOverrides + std::wstring(L"\\DllOverrides")).c_str(), name,
                    REG_SZ, L"native,builtin", sizeof L"native,builtin");
  }
  struct Cleanup {
    ~Cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, kOverrides); }
  } cleanup;
  LauncherSession session([](const std::filesystem::path& folder) {
    for (const wchar_t* name : kPlanted) {
      std::filesystem::copy_file(PlantedDll(), folder / (name + std::wstring(L".dll")));
    }
    return std::string("[Programs]\r\nTotalNumber=0\r\n");
  });
  HWND settings = session.OpenSettings();
  ASSERT_TRUE(settings);
  PostMessageW(FindChild(settings, nullptr, L"..."), BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    dialog = FindTopLevelWindow(session.ProcessId(), L"#32770", L"実在パスを開く");
    return dialog && IsWindowVisible(dialog);
  })) << "the open-file dialog did not open";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);

  for (const wchar_t* name : kPlanted) {
    EXPECT_FALSE(std::filesystem::exists(session.Folder() / (name + std::wstring(L".dll.loaded"))))
        << "the launcher loaded the planted " << Utf8(name) << ".dll";
  }
}

}  // namespace
}  // namespace e2e
