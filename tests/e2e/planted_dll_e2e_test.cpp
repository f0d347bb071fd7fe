// A DLL left beside Mirabelton.exe under a system library's name (users
// start the exe from their Downloads folder) must never run inside it.
// Wine is told to search for those names in the program's folder first, as
// Windows does; the launcher then starts and opens its settings window and
// the browse dialog. Wine's own user32 loads some of them into every
// windowed program, which Windows does not: a bare window started in the
// same folder shows which, and only those are let pass.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Not known DLLs, so Windows looks beside the exe first. uxtheme belongs
// here too, but a planted copy breaks every program under Wine before its
// first instruction; docs/windows-checklist.md has Windows check it.
constexpr const wchar_t* kPlanted[] = {L"version", L"dwmapi", L"comdlg32"};
constexpr const wchar_t* kOverrides[] = {
    L"Software\\Wine\\AppDefaults\\Mirabelton.exe\\DllOverrides",
    L"Software\\Wine\\AppDefaults\\bare.exe\\DllOverrides"};

TEST(PlantedDll, NoneBesideTheExeRunsInsideTheLauncher) {
  // Wine's overrides for these two programs only: the rest of the prefix is untouched.
  for (const wchar_t* key : kOverrides) {
    for (const wchar_t* name : kPlanted) {
      RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, L"native,builtin",
                      sizeof L"native,builtin");
    }
  }
  struct Cleanup {
    ~Cleanup() {
      for (const wchar_t* key : kOverrides) {
        RegDeleteTreeW(HKEY_CURRENT_USER, std::filesystem::path(key).parent_path().c_str());
      }
    }
  } cleanup;
  LauncherSession session([](const std::filesystem::path& folder) {
    for (const wchar_t* name : kPlanted) {
      std::filesystem::copy_file(E2E_PLANTED_DLL, folder / (name + std::wstring(L".dll")));
    }
    std::filesystem::copy_file(E2E_BARE_WINDOW_EXE, folder / L"bare.exe");
    return std::string("[Programs]\r\nTotalNumber=0\r\n");
  });
  HWND settings = session.OpenSettings();
  ASSERT_TRUE(settings);
  PostMessageW(FindDescendantWithText(settings, L"..."), BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    dialog = FindTopLevelWindow(session.ProcessId(), L"#32770", L"実在パスを開く");
    return dialog && IsWindowVisible(dialog);
  })) << "the open-file dialog did not open";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);

  DWORD bareId = 0;
  const Handle bare = StartProgram(session.Folder() / L"bare.exe", L"", &bareId);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    window = FindTopLevelWindow(bareId, nullptr, L"reference_window");
    return window && IsWindowVisible(window);
  })) << "the bare window never showed";
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(bare.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(bare.get(), 1);

  // Each copy leaves "<its name>.<program>.loaded" beside itself.
  auto loaded = [&](const wchar_t* name, const wchar_t* exe) {
    return std::filesystem::exists(session.Folder() /
                                   (name + (L".dll." + std::wstring(exe) + L".loaded")));
  };
  for (const wchar_t* name : kPlanted) {
    EXPECT_TRUE(!loaded(name, L"Mirabelton.exe") || loaded(name, L"bare.exe"))
        << "the launcher loaded the planted " << Utf8(name) << ".dll";
  }
}

}  // namespace
}  // namespace e2e
