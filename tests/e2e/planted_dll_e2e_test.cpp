// A DLL left beside Mirabelton.exe under a system library's name (users
// start the exe from their Downloads folder) must never run inside it.
// Wine is told to search for those names as Windows does, the program's
// folder first; the launcher then starts, opens its settings window and the
// browse dialog. Wine's own user32 loads some of them into every windowed
// program before the program's first instruction, which real Windows does
// not; a bare window started in the same folder shows which, and only those
// are let pass.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/build_paths.h"
#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/unique_handle.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

// Not known DLLs, so Windows looks beside the exe first: VERSION.dll for
// version numbers, the desktop-composition library that the common
// controls load, and the open-file dialog's library. uxtheme.dll belongs
// here as well, but Wine's user32 loads it into every windowed program as
// it starts and calls into it, so under Wine a planted copy breaks any
// program before its first instruction; real Windows checks it (see
// docs/windows-checklist.md).
constexpr const wchar_t* kPlantedNames[] = {L"version.dll", L"dwmapi.dll", L"comdlg32.dll"};

// Wine's per-program DLL overrides: these programs look for the planted
// names as Windows does, in their own folder first, and no other program
// of the prefix is touched.
class SearchLikeWindows {
 public:
  explicit SearchLikeWindows(std::initializer_list<const wchar_t*> programs) {
    for (const wchar_t* program : programs) {
      keys_.push_back(std::wstring(L"Software\\Wine\\AppDefaults\\") + program);
      HKEY key = nullptr;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, (keys_.back() + L"\\DllOverrides").c_str(), 0, nullptr,
                          0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        continue;
      }
      for (const wchar_t* name : kPlantedNames) {
        const std::wstring library(name, wcslen(name) - 4);  // without ".dll"
        const wchar_t order[] = L"native,builtin";
        RegSetValueExW(key, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                       sizeof order);
      }
      RegCloseKey(key);
    }
  }
  ~SearchLikeWindows() {
    for (const auto& key : keys_) RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }
  SearchLikeWindows(const SearchLikeWindows&) = delete;
  SearchLikeWindows& operator=(const SearchLikeWindows&) = delete;

 private:
  std::vector<std::wstring> keys_;
};

// The planted names that a program of this file name loaded.
std::set<std::wstring> LoadedBy(const std::filesystem::path& folder, const std::wstring& exe) {
  std::set<std::wstring> loaded;
  for (const wchar_t* name : kPlantedNames) {
    if (std::filesystem::exists(folder / (std::wstring(name) + L"." + exe + L".loaded"))) {
      loaded.insert(name);
    }
  }
  return loaded;
}

std::string Names(const std::set<std::wstring>& names) {
  std::string text;
  for (const auto& name : names) text += " " + Utf8(name);
  return text.empty() ? " none" : text;
}

BOOL CALLBACK FindBrowseButton(HWND child, LPARAM found) {
  if (WindowText(child) != L"...") return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The bare window runs in the folder until it shows, and is then closed.
bool RunBareWindow(const std::filesystem::path& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &startup, &info)) {
    return false;
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  HWND window = nullptr;
  const bool shown = WaitUntil([&] {
    window = FindTopLevelWindow(info.dwProcessId, L"", L"reference_window");
    return window && IsWindowVisible(window);
  });
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  return shown;
}

TEST(PlantedDll, NoneBesideTheExeRunsInsideTheLauncher) {
  SearchLikeWindows searchOrder({L"Mirabelton.exe", L"bare.exe"});
  LauncherSession session([](const std::filesystem::path& folder) {
    for (const wchar_t* name : kPlantedNames) {
      std::filesystem::copy_file(WindowsPath(E2E_PLANTED_DLL), folder / name);
    }
    std::filesystem::copy_file(WindowsPath(E2E_BARE_WINDOW_EXE), folder / L"bare.exe");
    return std::string("[Programs]\r\nTotalNumber=0\r\n");
  });

  // Alt+S, once more if Wine dropped the Alt (see the settings tests).
  HWND settings = nullptr;
  for (int attempt = 0; attempt < 3 && !settings; ++attempt) {
    ASSERT_TRUE(session.Present() && session.Press({VK_MENU, 'S'}));
    WaitUntil([&] {
      settings =
          FindTopLevelWindow(session.ProcessId(), L"MirabeltonSettings", L"Mirabeltonの設定");
      return settings && IsWindowVisible(settings);
    });
  }
  ASSERT_TRUE(settings) << "the settings window did not open";
  HWND browse = nullptr;
  EnumChildWindows(settings, FindBrowseButton, reinterpret_cast<LPARAM>(&browse));
  ASSERT_TRUE(browse);
  PostMessageW(browse, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  const bool dialogShown = WaitUntil([&] {
    dialog = FindTopLevelWindow(session.ProcessId(), L"#32770", L"実在パスを開く");
    return dialog && IsWindowVisible(dialog);
  });
  if (dialogShown) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  }

  ASSERT_TRUE(RunBareWindow(session.Folder() / L"bare.exe")) << "the bare window never showed";
  const auto byWine = LoadedBy(session.Folder(), L"bare.exe");
  const auto byLauncher = LoadedBy(session.Folder(), L"Mirabelton.exe");
  for (const auto& name : byLauncher) {
    EXPECT_TRUE(byWine.contains(name)) << "the launcher loaded the planted " << Utf8(name);
  }
  EXPECT_TRUE(dialogShown) << "the open-file dialog did not open";
  std::printf("planted DLLs loaded by the bare window:%s; by the launcher:%s\n",
              Names(byWine).c_str(), Names(byLauncher).c_str());
}

}  // namespace
}  // namespace e2e
