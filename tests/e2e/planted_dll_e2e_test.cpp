// A DLL left beside Mirabelton.exe under a system library's name (users
// start the exe from their Downloads folder) must never run inside it.
// Wine is told to search for those names as Windows does, the program's
// folder first; the launcher then starts, opens its settings window and the
// browse dialog. Wine's own user32 loads some of them into every windowed
// program before the program's first instruction, which real Windows does
// not; a bare window started in the same folder shows which, and only those
// are let pass.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Not known DLLs, so Windows looks beside the exe first: VERSION.dll for
// version numbers, the desktop-composition library that the common
// controls load, and the open-file dialog's library. uxtheme.dll belongs
// here as well, but Wine's user32 loads it into every windowed program as
// it starts and calls into it, so under Wine a planted copy breaks any
// program before its first instruction; real Windows checks it (see
// docs/windows-checklist.md).
constexpr const wchar_t* kPlantedNames[] = {L"version", L"dwmapi", L"comdlg32"};

// Wine's per-program DLL overrides: these programs look for the planted
// names as Windows does, in their own folder first, and no other program
// of the prefix is touched.
struct SearchLikeWindows {
  static constexpr const wchar_t* kKeys[] = {L"Software\\Wine\\AppDefaults\\Mirabelton.exe",
                                             L"Software\\Wine\\AppDefaults\\bare.exe"};
  SearchLikeWindows() {
    for (const wchar_t* program : kKeys) {
      for (const wchar_t* name : kPlantedNames) {
        RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(program) + L"\\DllOverrides").c_str(),
                        name, REG_SZ, L"native,builtin", sizeof L"native,builtin");
      }
    }
  }
  ~SearchLikeWindows() {
    for (const wchar_t* program : kKeys) RegDeleteTreeW(HKEY_CURRENT_USER, program);
  }
};

// The planted names that a program of this file name loaded: each copy
// leaves "<its name>.<program>.loaded" beside itself.
std::string LoadedBy(const std::filesystem::path& folder, const std::wstring& exe) {
  std::string loaded;
  for (const wchar_t* name : kPlantedNames) {
    if (std::filesystem::exists(folder / (name + (L".dll." + exe + L".loaded")))) {
      loaded += " " + Utf8(name);
    }
  }
  return loaded;
}

TEST(PlantedDll, NoneBesideTheExeRunsInsideTheLauncher) {
  SearchLikeWindows searchOrder;
  LauncherSession session([](const std::filesystem::path& folder) {
    for (const wchar_t* name : kPlantedNames) {
      std::filesystem::copy_file(WindowsPath(E2E_PLANTED_DLL),
                                 folder / (name + std::wstring(L".dll")));
    }
    std::filesystem::copy_file(WindowsPath(E2E_BARE_WINDOW_EXE), folder / L"bare.exe");
    return std::string("[Programs]\r\nTotalNumber=0\r\n");
  });
  HWND settings = session.OpenSettings();
  ASSERT_TRUE(settings);
  HWND browse = FindDescendantWithText(settings, L"...");
  ASSERT_TRUE(browse);
  PostMessageW(browse, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    dialog = FindTopLevelWindow(session.ProcessId(), L"#32770", L"実在パスを開く");
    return dialog && IsWindowVisible(dialog);
  })) << "the open-file dialog did not open";
  if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);

  // The bare window runs in the folder until it shows, and is then closed.
  DWORD bareId = 0;
  const Handle bare = StartProgram(session.Folder() / L"bare.exe", L"", &bareId);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    window = FindTopLevelWindow(bareId, L"", L"reference_window");
    return window && IsWindowVisible(window);
  })) << "the bare window never showed";
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(bare.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(bare.get(), 1);

  const std::string byWine = LoadedBy(session.Folder(), L"bare.exe");
  const std::string byLauncher = LoadedBy(session.Folder(), L"Mirabelton.exe");
  for (const wchar_t* name : kPlantedNames) {
    const std::string word = " " + Utf8(name);
    EXPECT_TRUE(byLauncher.find(word) == std::string::npos ||
                byWine.find(word) != std::string::npos)
        << "the launcher loaded the planted" << word << ".dll";
  }
  std::printf("planted DLLs loaded by the bare window:%s; by the launcher:%s\n", byWine.c_str(),
              byLauncher.c_str());
}

}  // namespace
}  // namespace e2e
