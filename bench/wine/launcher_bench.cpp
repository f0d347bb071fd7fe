// What a user feels of the real launcher under Wine, each figure taken next
// to the same figure of a bare Win32 window (reference_window.exe) in the
// same run, so that the machine and Wine cancel out in the ratio:
//   start     CreateProcess until the window is visible
//   hotkey    F12 until the hidden window is visible, in front, with focus
//   ws_start  working set once the started program is idle
//   ws_settings  working set once the settings window was opened and closed
// and on the launcher alone: the start-up time with 32,767 aliases (taken
// in the same rounds as the start with 12), and the settings window's
// opening time with a few and with 32,767 aliases.
//
// Options: --runs N (default 7), --launcher <exe> (another build), --trace.
// Output: one line per figure, "name<TAB>median<TAB>unit<TAB>samples", for
// tools/bench to put in its table. Exit code 1 when a measurement failed.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kLauncherTitle[] = L"Mirabelton";
constexpr wchar_t kSettingsTitle[] = L"Mirabeltonの設定";
constexpr wchar_t kReferenceTitle[] = L"reference_window";
constexpr int kMaxAliases = 32767;

// Generous: a loaded machine must slow a figure down, not fail it.
constexpr double kBoundMs = 60'000;
// Time for a program to finish what it does after showing (first paints,
// deferred loading) before its memory is read.
constexpr DWORD kSettleMs = 700;

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// Polls every millisecond: finer than any figure here, coarse enough to
// leave the measured program its CPU on a small machine.
bool WaitUntil(const std::function<bool()>& condition, double boundMs = kBoundMs) {
  const double deadline = NowMs() + boundMs;
  for (;;) {
    if (condition()) return true;
    if (NowMs() >= deadline) return false;
    Sleep(1);
  }
}

std::wstring WindowsPath(std::string_view buildPath) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, buildPath.data(),
                                       static_cast<int>(buildPath.size()), nullptr, 0);
  std::wstring path(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, buildPath.data(), static_cast<int>(buildPath.size()), path.data(),
                      size);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path.size() >= 2 && path[1] == L':' ? path : L"Z:" + path;
}

// The title without a message to the window: a program busy filling a list
// cannot answer, and the measurement must not wait for it.
std::wstring TitleOf(HWND window) {
  wchar_t title[256] = {};
  const int length = InternalGetWindowText(window, title, 256);
  return std::wstring(title, length > 0 ? static_cast<size_t>(length) : 0);
}

HWND FindTopLevel(DWORD processId, std::wstring_view title) {
  struct Search {
    DWORD processId;
    std::wstring_view title;
    HWND found = nullptr;
  } search{processId, title};
  EnumWindows(
      [](HWND window, LPARAM lParam) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || TitleOf(window) != s.title) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// In front, and the keyboard focus inside it: what a user needs to type.
bool HasFocus(HWND window) {
  if (GetForegroundWindow() != window) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
  return info.hwndFocus == window || IsChild(window, info.hwndFocus);
}

bool Visible(HWND window) { return IsWindow(window) && IsWindowVisible(window); }

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
    Fail("SendInput refused the keys");
  }
}

class Process {
 public:
  Process(const fs::path& exe, std::wstring_view arguments) {
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    if (!arguments.empty()) commandLine.append(L" ").append(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::wstring folder = exe.parent_path().wstring();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
      Fail("cannot start " + exe.string() + ": error " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    handle_ = info.hProcess;
    id_ = info.dwProcessId;
  }
  ~Process() {
    if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(handle_, 1);
      WaitForSingleObject(handle_, 10'000);
    }
    CloseHandle(handle_);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  bool Running() const { return WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

  // The top-level window with this title once it exists (and shows, when
  // asked); fails when the program ends first or never gets there.
  HWND AwaitWindow(std::wstring_view title, bool shown) const {
    HWND window = nullptr;
    const bool found = WaitUntil([&] {
      window = FindTopLevel(id_, title);
      return (window && (!shown || IsWindowVisible(window))) || !Running();
    });
    if (!found || !window || !Running()) Fail("no window titled as expected");
    return window;
  }

  void Settle() const {
    WaitForInputIdle(handle_, 10'000);
    Sleep(kSettleMs);
  }

  double WorkingSetMiB() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(handle_, &counters, sizeof counters)) {
      Fail("GetProcessMemoryInfo failed: error " + std::to_string(GetLastError()));
    }
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
  }

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// A program copied into a folder of its own, as a user keeps the launcher
// beside its settings file.
struct Installed {
  fs::path exe;
  std::wstring title;
};

Installed Install(const fs::path& folder, const std::wstring& builtExe, const std::wstring& name,
                  const std::wstring& title, const std::string& settings) {
  fs::create_directories(folder);
  const fs::path exe = folder / name;
  fs::copy_file(builtExe, exe, fs::copy_options::overwrite_existing);
  if (!settings.empty()) {
    std::ofstream out(folder / L"Mirabelton.ini", std::ios::binary | std::ios::trunc);
    out.write(settings.data(), static_cast<std::streamsize>(settings.size()));
    if (!out) Fail("cannot write the settings file");
  }
  return {exe, title};
}

std::string SettingsFile(int aliases) {
  std::string ini = "[Programs]\r\nHotKey=123\r\nTotalNumber=" + std::to_string(aliases) + "\r\n";
  for (int i = 1; i <= aliases; ++i) {
    ini += std::to_string(i) + "=alias" + std::to_string(100000 + i) + "\r\n";
    ini +=
        std::to_string(i) + "R=C:\\Program Files\\Tools\\program" + std::to_string(i) + ".exe\r\n";
  }
  return ini;
}

struct Samples {
  std::string name;
  std::string unit;
  std::vector<double> values;

  double Median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
  void Print() const {
    std::printf("%s\t%.2f\t%s\t", name.c_str(), Median(), unit.c_str());
    for (size_t i = 0; i < values.size(); ++i) std::printf(i ? " %.2f" : "%.2f", values[i]);
    std::printf("\n");
    std::fflush(stdout);
  }
};

// With --trace, the tick counts of each start and show go to stderr, to be
// laid beside a WINEDEBUG=+timestamp log of the same run.
bool g_trace = false;

void Trace(const char* event, DWORD processId) {
  if (g_trace) std::fprintf(stderr, "trace %s %04lx %lu\n", event, processId, GetTickCount());
}

// Start-up time, then the working set once idle.
std::pair<double, double> MeasureStart(const Installed& program) {
  const double start = NowMs();
  Process process(program.exe, L"");
  Trace("started", process.Id());
  process.AwaitWindow(program.title, true);
  const double shownMs = NowMs() - start;
  Trace("visible", process.Id());
  process.Settle();
  return {shownMs, process.WorkingSetMiB()};
}

// F12 presses on a program started hidden; each press is measured until the
// window is in front with the focus, then Esc hides it again.
void MeasureHotKey(const Installed& program, int presses, Samples& out) {
  Process process(program.exe, L"/h");
  HWND window = process.AwaitWindow(program.title, false);
  process.Settle();
  for (int i = 0; i < presses; ++i) {
    if (Visible(window)) Fail("the window showed before the hot key");
    const double start = NowMs();
    PressKeys({VK_F12});
    if (!WaitUntil([&] { return Visible(window) && HasFocus(window); })) {
      Fail("the hot key did not bring the window to the front");
    }
    out.values.push_back(NowMs() - start);
    Sleep(200);
    PressKeys({VK_ESCAPE});
    if (!WaitUntil([&] { return !Visible(window); })) Fail("Esc did not hide the window");
    Sleep(200);
  }
}

// Alt+S until the settings window shows; Esc until it is gone and the
// launcher has the focus back. Returns the working set after the last close.
double MeasureSettings(const Installed& launcher, int openings, Samples& openMs) {
  Process process(launcher.exe, L"");
  HWND window = process.AwaitWindow(launcher.title, true);
  process.Settle();
  for (int i = 0; i < openings; ++i) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return HasFocus(window); })) Fail("the launcher would not take the focus");
    const double start = NowMs();
    PressKeys({VK_MENU, 'S'});
    HWND settings = nullptr;
    if (!WaitUntil([&] {
          settings = FindTopLevel(process.Id(), kSettingsTitle);
          return settings && IsWindowVisible(settings);
        })) {
      Fail("Alt+S did not show the settings window");
    }
    openMs.values.push_back(NowMs() - start);
    if (!WaitUntil([&] { return HasFocus(settings); })) Fail("the settings window has no focus");
    process.Settle();
    PressKeys({VK_ESCAPE});
    if (!WaitUntil([&] { return !Visible(settings); })) Fail("Esc did not close the settings");
    if (!WaitUntil([&] { return Visible(window); })) Fail("the launcher did not come back");
  }
  process.Settle();
  return process.WorkingSetMiB();
}

int Run(int runs, const std::wstring& launcherExe) {
  const fs::path root =
      fs::temp_directory_path() / (L"mirabelton-bench-" + std::to_wstring(GetCurrentProcessId()));
  struct Cleanup {
    fs::path folder;
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  } cleanup{root};

  const std::wstring referenceExe = WindowsPath(BENCH_REFERENCE_EXE);
  const Installed launcher =
      Install(root / L"few", launcherExe, L"Mirabelton.exe", kLauncherTitle, SettingsFile(12));
  const Installed large = Install(root / L"many", launcherExe, L"Mirabelton.exe", kLauncherTitle,
                                  SettingsFile(kMaxAliases));
  const Installed reference =
      Install(root / L"reference", referenceExe, L"reference_window.exe", kReferenceTitle, "");

  Samples exeSize{"exe_size.mirabelton", "KiB", {}};
  exeSize.values.push_back(static_cast<double>(fs::file_size(launcher.exe)) / 1024.0);
  exeSize.Print();
  Samples referenceSize{"exe_size.reference", "KiB", {}};
  referenceSize.values.push_back(static_cast<double>(fs::file_size(reference.exe)) / 1024.0);
  referenceSize.Print();

  // Interleaved, after one unrecorded start of each that fills the caches,
  // so that a drift in the machine's load falls on all alike.
  const Installed* started[3] = {&launcher, &reference, &large};
  Samples startMs[3] = {{"start.mirabelton", "ms", {}},
                        {"start.reference", "ms", {}},
                        {"start.mirabelton_32767", "ms", {}}};
  Samples workingSet[2] = {{"ws_start.mirabelton", "MiB", {}}, {"ws_start.reference", "MiB", {}}};
  for (const Installed* program : started) MeasureStart(*program);
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < 3; ++p) {
      const auto [ms, mib] = MeasureStart(*started[p]);
      startMs[p].values.push_back(ms);
      if (p < 2) workingSet[p].values.push_back(mib);
    }
  }
  for (const Samples& s : startMs) s.Print();
  for (const Samples& s : workingSet) s.Print();

  // Both programs want F12, so they take turns rather than interleave.
  Samples hotKeyMs[2] = {{"hotkey.mirabelton", "ms", {}}, {"hotkey.reference", "ms", {}}};
  const int rounds = 2;
  const int presses = std::max(2, (runs + rounds - 1) / rounds);
  for (int round = 0; round < rounds; ++round) {
    MeasureHotKey(launcher, presses, hotKeyMs[0]);
    MeasureHotKey(reference, presses, hotKeyMs[1]);
  }
  for (const Samples& s : hotKeyMs) s.Print();

  Samples settingsWorkingSet{"ws_settings.mirabelton", "MiB", {}};
  Samples openFew{"settings_open.few", "ms", {}};
  for (int i = 0; i < std::max(1, runs / 2); ++i) {
    settingsWorkingSet.values.push_back(MeasureSettings(launcher, 2, openFew));
  }
  settingsWorkingSet.Print();
  openFew.Print();

  Samples openLarge{"settings_open.32767", "ms", {}};
  MeasureSettings(large, runs, openLarge);
  openLarge.Print();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 7;
  // Another build of the launcher, to weigh a change against the same
  // reference in the same run.
  std::wstring launcherExe = WindowsPath(BENCH_LAUNCHER_EXE);
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view option = argv[i];
    if (option == L"--launcher" && i + 1 < argc) {
      launcherExe = argv[++i];
    } else if (option == L"--runs" && i + 1 < argc) {
      runs = std::max(1, _wtoi(argv[++i]));
    } else if (option == L"--trace") {
      g_trace = true;
    }
  }
  try {
    return Run(runs, launcherExe);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "launcher_bench: %s\n", e.what());
    return 1;
  }
}
