// What the end-to-end tests share: the real Mirabelton.exe in a folder of
// its own, input given as a user gives it, and windows read with bounded
// messages, so that a hung program yields "no answer", not a hung test.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/win32_test_machine.h"

namespace e2e {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Tests wait for effects, never for a time: a condition is polled until it
// holds, and only one that never comes true fails, after a bound generous
// enough for a loaded machine.
inline constexpr std::chrono::milliseconds kEffectBound{10'000};
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds bound = kEffectBound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Wine's ntdll exports wine_get_version and Windows' does not: the few steps
// that only Wine needs (or that only Windows can answer) ask this.
inline bool RunningUnderWine() {
  return machine::SystemFunction<void()>(L"ntdll.dll", "wine_get_version") != nullptr;
}

// The programs the tests use, beside the test program or in the build.
inline std::filesystem::path LauncherExe() { return machine::Find(E2E_LAUNCHER_IN_BUILD); }
inline std::filesystem::path ProbeExe() { return machine::Find(E2E_PROBE_IN_BUILD); }
inline std::filesystem::path PlantedDll() { return machine::Find(E2E_PLANTED_DLL_IN_BUILD); }

// Checks in pixels are written for 96 dpi: elsewhere their test is skipped.
#define E2E_SKIP_UNLESS_96_DPI()                         \
  if (const int dpi = ::machine::SystemDpi(); dpi != 96) \
  GTEST_SKIP() << "needs 96 dpi (100% scaling) for its checks in pixels; this display has " << dpi

inline std::string Utf8(std::wstring_view text) {
  const std::u8string bytes = std::filesystem::path(text).u8string();
  return {bytes.begin(), bytes.end()};
}

// Starts exe in its own folder; throws when it cannot.
inline Handle StartProgram(const std::filesystem::path& exe, const std::wstring& arguments,
                           DWORD* processId = nullptr) {
  std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start " + Utf8(exe.wstring()) + ": error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(info.hThread);
  if (processId) *processId = info.dwProcessId;
  return Handle(info.hProcess);
}

// The whole screen as a PNG in "artifacts" beside the Mirabelton.exe under
// test (build/win64/artifacts), for people reading a run (never compared),
// taken by ImageMagick's import from outside: Wine starts a Linux program
// as it is, though with no handle to wait on. On Windows none is taken.
inline void SaveScreenshot(const std::string& name) {
  if (!RunningUnderWine()) return;
  const std::filesystem::path folder = LauncherExe().parent_path() / L"artifacts";
  const std::filesystem::path shot = folder / (name + ".png");
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::filesystem::remove(shot, ignored);
  char* linuxShot = machine::SystemFunction<char*(const wchar_t*)>(
      L"kernel32.dll", "wine_get_unix_file_name")(shot.c_str());
  if (!linuxShot) return;
  const std::filesystem::path argument(std::u8string(reinterpret_cast<char8_t*>(linuxShot)));
  HeapFree(GetProcessHeap(), 0, linuxShot);
  try {  // Wine's drive Z: is the Linux root
    StartProgram(L"Z:\\usr\\bin\\import", L"-window root \"" + argument.wstring() + L"\"");
  } catch (const std::runtime_error&) {
    return;  // a picture less, nothing more
  }
  WaitUntil([&] { return std::filesystem::exists(shot); });  // written after the grab
}

// Each character as a Unicode key stroke (wVk 0), whatever the keyboard
// layout; or virtual keys (main block and function keys: no extended
// flag) pressed in order and released in reverse, {VK_MENU, 'S'} being Alt+S.
inline bool SendKeys(std::wstring_view keys, bool unicode) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD key, DWORD up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = unicode ? 0 : key;
    input.ki.wScan = unicode ? key : static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up | (unicode ? KEYEVENTF_UNICODE : 0);
    inputs.push_back(input);
  };
  for (wchar_t key : keys) {
    add(key, 0);
    if (unicode) add(key, KEYEVENTF_KEYUP);
  }
  for (auto key = keys.rbegin(); !unicode && key != keys.rend(); ++key) add(*key, KEYEVENTF_KEYUP);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}
inline bool TypeText(std::wstring_view text) { return SendKeys(text, true); }
inline bool PressKeys(std::initializer_list<WORD> keys) {
  return SendKeys(std::wstring(keys.begin(), keys.end()), false);
}

// Moves the pointer to a point of the screen and waits until it is there.
inline bool MovePointer(POINT screen) {
  // Absolute coordinates run over 0..65536 of the screen; rounding up lands
  // exactly on the pixel whatever way the system scales them back.
  const long long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  POINT now{};
  return SendInput(1, &input, sizeof input) == 1 &&
         WaitUntil([&] { return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; });
}

inline std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam = 0,
                                          LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)
             ? std::optional(static_cast<LRESULT>(result))
             : std::nullopt;
}

// WM_GETTEXT: for a combo box, the text of its edit field.
inline std::optional<std::wstring> WindowText(HWND window) {
  wchar_t text[1024] = {};
  if (!SendBounded(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text))) return std::nullopt;
  return text;
}

// A top-level window of the process, of this class and title (either may be
// null: any); hidden ones too unless `shownOnly`.
inline HWND FindTopLevelWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                               bool shownOnly = false) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, title));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && (!shownOnly || IsWindowVisible(window))) return window;
  }
  return nullptr;
}
// A child window by class, by caption, or both (null: any).
inline HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* caption = nullptr) {
  return FindWindowExW(parent, nullptr, className, caption);
}
// A message box's message: its static control with text (the icon has none).
inline std::wstring MessageBoxText(HWND box) {
  for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));) {
    if (auto text = WindowText(child); text && !text->empty()) return *text;
  }
  return L"";
}
inline bool IsForeground(HWND window) { return window && GetForegroundWindow() == window; }

// Builds the settings file's bytes once the session's folder is known, so
// that real paths can point into it.
using SettingsWriter = std::function<std::string(const std::filesystem::path& folder)>;

// Mirabelton.exe started with probe.exe and the settings file in a fresh
// temporary folder, its window ready (and shown, unless waitUntilShown is
// false), or an exception; when over, a picture if the test failed.
class LauncherSession {
 public:
  explicit LauncherSession(const SettingsWriter& settings, const std::wstring& arguments = L"",
                           bool waitUntilShown = true) {
    EndStrayLaunchers();
    static int counter = 0;
    folder_ = std::filesystem::temp_directory_path() /
              (L"mirabelton-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter));
    try {
      std::filesystem::remove_all(folder_);
      std::filesystem::create_directories(folder_);
      std::filesystem::copy_file(LauncherExe(), folder_ / L"Mirabelton.exe");
      std::filesystem::copy_file(ProbeExe(), folder_ / L"probe.exe");
      std::ofstream(folder_ / L"Mirabelton.ini", std::ios::binary) << settings(folder_);
      process_ = StartProgram(folder_ / L"Mirabelton.exe", arguments, &processId_);
      // The window exists before its controls do, and is shown after both.
      const bool ready = WaitUntil([&] {
        // By class too: the hot-key warning box has the same title.
        window_ = FindTopLevelWindow(processId_, L"MirabeltonLauncher", L"Mirabelton");
        combo_ = window_ ? FindChild(window_, L"ComboBox") : nullptr;
        return (combo_ && (!waitUntilShown || Visible())) || ExitCode();  // or it gave up
      });
      if (auto code = ExitCode()) {
        throw std::runtime_error("Mirabelton.exe ended at its start: " + std::to_string(*code));
      }
      if (!ready) throw std::runtime_error("the launcher window with its box never got ready");
      // Start-up is over when the program first waits for input: a hot key
      // pressed earlier could find nothing registered yet.
      if (WaitForInputIdle(process_.get(), static_cast<DWORD>(kEffectBound.count())) != 0) {
        throw std::runtime_error("the launcher never became idle after its start");
      }
    } catch (...) {
      End();
      throw;
    }
  }
  ~LauncherSession() {
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        test && test->result()->Failed()) {
      SaveScreenshot(std::string(test->test_suite_name()) + "." + test->name());
    }
    End();
  }
  LauncherSession(const LauncherSession&) = delete;
  LauncherSession& operator=(const LauncherSession&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  HWND Window() const { return window_; }
  bool Visible() const { return IsWindowVisible(window_) != FALSE; }
  bool Hides() const {
    return WaitUntil([&] { return !Visible(); });
  }
  std::wstring ComboText() const { return WindowText(combo_).value_or(L"<no answer>"); }
  // Start and end packed: CB_GETEDITSEL's pointers do not cross processes.
  LRESULT Selection() const { return SendBounded(combo_, CB_GETEDITSEL).value_or(-1); }
  ::testing::AssertionResult BoxHolds(std::wstring_view text) const {
    if (WaitUntil([&] { return ComboText() == text; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the box holds " << Utf8(ComboText());
  }
  // A window of the launcher's once it shows, or null.
  HWND AwaitWindow(const wchar_t* className, const wchar_t* title) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTopLevelWindow(processId_, className, title, true)); });
    return window;
  }

  // The lines of probe-log.txt in the folder, the file name of each probe
  // started, once there are `count` of them (or the bound has passed).
  std::vector<std::string> ProbeLog(size_t count = 0) const {
    std::vector<std::string> lines;
    WaitUntil([&] {
      std::ifstream in(folder_ / L"probe-log.txt");
      lines.clear();
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      return lines.size() >= count;
    });
    return lines;
  }
  std::string SettingsBytes() const {
    std::ifstream in(folder_ / L"Mirabelton.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Brings the launcher back as a user does, with its hot key F12: in
  // front, with an empty box that has the caret. A shown launcher is first
  // hidden with Esc. Wine may call the launcher idle before its start-up
  // registered the key (COM pumps messages); another press is harmless.
  bool Present() {
    if (Visible() && !(Press({VK_ESCAPE}) && Hides())) return false;
    for (int press = 0; press < 5 && !Visible(); ++press) {
      if (!PressKeys({VK_F12})) return false;
      WaitUntil([&] { return Visible(); }, std::chrono::seconds(2));
    }
    return WaitUntil([&] { return IsForeground(window_) && ComboText().empty(); });
  }
  // Keys go to the foreground window: these bring the launcher there first.
  bool Type(std::wstring_view text) { return BringToForeground() && TypeText(text); }
  bool Press(std::initializer_list<WORD> keys) { return BringToForeground() && PressKeys(keys); }
  bool Run(std::wstring_view command) { return Present() && Type(command) && Press({VK_RETURN}); }

  // Alt+S; the settings window once it shows in front, or null.
  HWND OpenSettings() {
    HWND window = nullptr;
    auto shown = [&] {
      window = FindTopLevelWindow(processId_, L"MirabeltonSettings", L"Mirabeltonの設定", true);
      return IsForeground(window);
    };
    // Wine takes the state of the modifier keys from the X server when one
    // of its windows gains the X focus; an injected Alt that meets such a
    // moment is dropped and the S arrives alone, as a letter in the box.
    // That, and only that, is worth a second Alt+S.
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!Press({VK_MENU, 'S'})) break;
      if (!WaitUntil([&] { return shown() || ComboText() == L"s"; })) break;
      if (shown()) return window;
      if (!Present()) break;
    }
    ADD_FAILURE() << "Alt+S: no settings window in front; the command box holds \""
                  << Utf8(ComboText()) << "\"";
    return nullptr;
  }

  std::optional<DWORD> ExitCode() const {
    DWORD code = 0;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) return {};
    return code;
  }

 private:
  // One launcher runs per session (a named mutex), so a launcher left
  // behind by an aborted test, or started by hand in the test prefix, would
  // make every later start end at once. Found by class: on Windows an
  // Explorer window of a folder named Mirabelton has that title too.
  static void EndStrayLaunchers() {
    for (int stray = 0; stray < 10; ++stray) {
      DWORD owner = 0;
      GetWindowThreadProcessId(FindWindowW(L"MirabeltonLauncher", nullptr), &owner);
      Handle process(owner ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner) : nullptr);
      if (!process || !TerminateProcess(process.get(), 1)) return;
      WaitForSingleObject(process.get(), 5000);
    }
  }
  void End() noexcept {
    if (process_ && !ExitCode()) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  bool BringToForeground() {
    if (IsForeground(window_)) return true;
    SetForegroundWindow(window_);
    return WaitUntil([&] { return IsForeground(window_); });
  }

  std::filesystem::path folder_;
  Handle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
  HWND combo_ = nullptr;
};

}  // namespace e2e
