#include "tests/e2e/launcher_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/e2e/build_paths.h"
#include "tests/e2e/keyboard.h"
#include "tests/e2e/mouse.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

constexpr DWORD kExitBoundMs = 5000;

BOOL CALLBACK EndIfLauncher(HWND window, LPARAM) {
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (std::wstring_view(title) != kLauncherTitle) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == GetCurrentProcessId()) return TRUE;
  UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (process) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), kExitBoundMs);
  }
  return TRUE;
}

// One launcher runs per session (a named mutex), so a launcher left behind
// by an aborted test, or started by hand in the test prefix, would make
// every later start end at once.
void EndStrayLaunchers() { EnumWindows(EndIfLauncher, 0); }

std::filesystem::path NewFolder() {
  static std::atomic<int> counter{0};
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (L"mirabelton-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
       std::to_wstring(++counter));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + Utf8(file.wstring()));
}

// The program in folder, started there with these arguments.
UniqueHandle StartProgram(const std::filesystem::path& folder, const std::wstring& arguments,
                          DWORD* processId) {
  const std::wstring exe = (folder / L"Mirabelton.exe").wstring();
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start " + Utf8(exe) + ": error " +
                             std::to_string(GetLastError()));
  }
  UniqueHandle thread(info.hThread);
  *processId = info.dwProcessId;
  return UniqueHandle(info.hProcess);
}

}  // namespace

std::string Utf8(std::wstring_view text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

LauncherSession::LauncherSession(const SettingsWriter& settings, const StartOptions& options) {
  EndStrayLaunchers();
  try {
    folder_ = NewFolder();
    std::filesystem::copy_file(WindowsPath(E2E_LAUNCHER_EXE), folder_ / L"Mirabelton.exe");
    std::filesystem::copy_file(WindowsPath(E2E_PROBE_EXE), folder_ / L"probe.exe");
    WriteBytes(folder_ / L"Mirabelton.ini", settings(folder_));
    Start(options);
  } catch (...) {
    End();
    throw;
  }
}

LauncherSession::~LauncherSession() {
  // A picture of the screen as the failure left it, for the reader of the run.
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      test && test->result()->Failed()) {
    SaveScreenshot(ArtifactFolder() /
                   (std::string(test->test_suite_name()) + "." + test->name() + ".bmp"));
  }
  End();
}

void LauncherSession::End() noexcept {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), kExitBoundMs);
  }
  process_ = UniqueHandle();
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
  }
}

void LauncherSession::Start(const StartOptions& options) {
  process_ = StartProgram(folder_, options.arguments, &processId_);

  // The window exists before its controls do, and is shown after both.
  const bool ready = WaitUntil([&] {
    // By class too: the hot-key warning box has the same title.
    window_ = FindTopLevelWindow(processId_, L"MirabeltonLauncher", kLauncherTitle);
    combo_ = window_ ? FindDescendant(window_, L"ComboBox") : nullptr;
    edit_ = combo_ ? FindDescendant(combo_, L"Edit") : nullptr;
    if (!edit_ || (options.waitUntilShown && !Visible())) {
      return WaitForSingleObject(process_.Get(), 0) != WAIT_TIMEOUT;  // gave up: it ended
    }
    return true;
  });
  if (auto code = ExitCode()) {
    throw std::runtime_error("Mirabelton.exe ended at start with exit code " +
                             std::to_string(*code) + " before its window was ready");
  }
  if (!ready) {
    throw std::runtime_error(!window_ ? "the launcher window was never created"
                             : !edit_ ? "the launcher window has no combo box with an edit field"
                                      : "the launcher window never showed");
  }
  // Start-up is over when the program first waits for input: a hot key
  // pressed earlier could find nothing registered yet.
  if (WaitForInputIdle(process_.Get(), static_cast<DWORD>(kEffectBound.count())) != 0) {
    throw std::runtime_error("the launcher never became idle after its start");
  }
}

std::filesystem::path LauncherSession::AddProbe(const std::wstring& fileName) const {
  const std::filesystem::path copy = folder_ / fileName;
  std::filesystem::copy_file(folder_ / L"probe.exe", copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy;
}

std::string LauncherSession::SettingsBytes() const {
  std::ifstream in(folder_ / L"Mirabelton.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<DWORD> LauncherSession::RunSecondCopy(DWORD* processId) const {
  const UniqueHandle process = StartProgram(folder_, L"", processId);
  DWORD code = 0;
  if (WaitForSingleObject(process.Get(), 20'000) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process.Get(), &code)) {
    return code;
  }
  TerminateProcess(process.Get(), 1);
  return std::nullopt;
}

std::vector<std::string> LauncherSession::ProbeLog() const {
  std::ifstream in(folder_ / L"probe-log.txt", std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::wstring LauncherSession::ComboText() const {
  return WindowText(combo_).value_or(L"<no answer>");
}

std::optional<TextSelection> LauncherSession::Selection() const {
  return ComboEditSelection(combo_);
}

bool LauncherSession::BringToForeground() {
  if (IsForeground(window_)) return true;
  SetForegroundWindow(window_);
  return WaitUntil([&] { return IsForeground(window_); });
}

bool LauncherSession::Present() {
  ShowWindow(window_, SW_SHOW);
  if (!WaitUntil([&] { return Visible(); }) || !BringToForeground()) return false;
  // Shown from outside, the window keeps the focus itself: a user clicks
  // into the box.
  RECT box{};
  GetWindowRect(edit_, &box);
  if (!ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2}) ||
      !WaitUntil([&] { return FocusOf(window_) == edit_; })) {
    return false;
  }
  return SetWindowTextBounded(combo_, L"") && WaitUntil([&] { return ComboText().empty(); });
}

bool LauncherSession::Type(std::wstring_view text) { return BringToForeground() && TypeText(text); }

bool LauncherSession::Press(std::initializer_list<WORD> virtualKeys) {
  return BringToForeground() && PressKeys(virtualKeys);
}

HWND LauncherSession::FindMessageBox(std::wstring_view title) const {
  return FindTopLevelWindow(processId_, L"#32770", title);
}

bool LauncherSession::WaitForExit(DWORD milliseconds) const {
  return WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
}

std::optional<DWORD> LauncherSession::ExitCode() const {
  DWORD code = 0;
  if (!process_ || !GetExitCodeProcess(process_.Get(), &code) || code == STILL_ACTIVE) {
    return std::nullopt;
  }
  return code;
}

}  // namespace e2e
