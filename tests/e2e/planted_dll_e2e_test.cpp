// A DLL left beside Mirabelton.exe under a system library's name (users
// start the exe from their Downloads folder) must never run inside it.
// Wine is told to search for those names in the program's folder first, as
// Windows does; the launcher then starts and opens its settings window and
// the browse dialog, and afterwards the probe loads each by name: a DLL
// that nothing could load would prove nothing.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Not known DLLs, so Windows looks beside the exe first. uxtheme belongs
// here too, but Wine's own user32 loads it into every windowed program
// before its first instruction, which Windows does not. So does version:
// tools/check-exe keeps VERSION.dll out of the imports, and
// docs/windows-checklist.md has Windows check it.
constexpr const wchar_t* kOverridden[] = {L"Mirabelton.exe", L"probe.exe"};
constexpr wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\";

TEST(PlantedDll, NoneBesideTheExeRunsInsideTheLauncherThoughABareProgramLoadsThem) {
  std::vector<std::wstring> planted{L"dwmapi", L"comdlg32"};
  if (!RunningUnderWine()) planted.push_back(L"uxtheme");
  // Under Wine, overrides for the launcher and the probe only: the rest of
  // the prefix is untouched. Windows needs none.
  for (const wchar_t* exe : kOverridden) {
    const std::wstring key = kAppDefaults + (exe + std::wstring(L"\\DllOverrides"));
    for (const std::wstring& name : planted) {
      if (!RunningUnderWine()) break;
      RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, L"native,builtin",
                      sizeof L"native,builtin");
    }
  }
  struct Cleanup {
    ~Cleanup() {
      for (const wchar_t* exe : kOverridden) {
        RegDeleteTreeW(HKEY_CURRENT_USER, (kAppDefaults + std::wstring(exe)).c_str());
      }
    }
  } cleanup;
  LauncherSession session([&](const std::filesystem::path& folder) {
    for (const std::wstring& name : planted) {
      std::filesystem::copy_file(PlantedDll(), folder / (name + L".dll"));
    }
    return std::string("[Programs]\r\nTotalNumber=0\r\n");
  });
  HWND settings = session.OpenSettings();
  ASSERT_TRUE(settings);
  PostMessageW(FindChild(settings, nullptr, L"..."), BM_CLICK, 0, 0);
  HWND dialog = session.AwaitWindow(L"#32770", L"実在パスを開く");
  EXPECT_TRUE(dialog) << "the open-file dialog did not open";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);

  for (const std::wstring& name : planted) {
    const std::filesystem::path marker = session.Folder() / (name + L".dll.loaded");
    EXPECT_FALSE(std::filesystem::exists(marker))
        << "the launcher loaded the planted " << Utf8(name) << ".dll";
    const Handle probe = StartProgram(session.Folder() / L"probe.exe", name + L".dll");
    WaitForSingleObject(probe.get(), static_cast<DWORD>(kEffectBound.count()));
    EXPECT_TRUE(std::filesystem::exists(marker))
        << "a bare program did not load " << Utf8(name) << ".dll";
  }
}

}  // namespace
}  // namespace e2e
