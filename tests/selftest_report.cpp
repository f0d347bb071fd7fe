// The self-test's report (tools/selftest.cmd): when MIRABELTON_SELFTEST_REPORT
// names a file, each test program adds a line per test to it, "passed",
// "failed" with the first failure or "skipped" with the reason; the first
// program begins it with the machine: Windows, code page, scaling.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/win32_test_machine.h"

namespace {

class ReportLines final : public ::testing::EmptyTestEventListener {
 public:
  explicit ReportLines(const wchar_t* file) : file_(file) {}

  void OnTestProgramStart(const ::testing::UnitTest&) override {
    if (std::filesystem::exists(file_)) return;
    RTL_OSVERSIONINFOW v{};  // GetVersionExW answers 6.2 from Windows 8 on
    v.dwOSVersionInfoSize = sizeof v;
    machine::SystemFunction<LONG WINAPI(RTL_OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion")(&v);
    auto wine = machine::SystemFunction<const char*()>(L"ntdll.dll", "wine_get_version");
    const int dpi = machine::SystemDpi();
    std::ofstream(file_, std::ios::binary)  // UTF-8 for Notepad: messages may hold Japanese
        << "\xEF\xBB\xBFWindows " << v.dwMajorVersion << "." << v.dwMinorVersion << " build "
        << v.dwBuildNumber << (wine ? std::string(" (Wine ") + wine() + ")" : "")
        << "\r\nSystem code page " << GetACP() << "\r\nDisplay scaling " << dpi * 100 / 96 << "% ("
        << dpi << " dpi)\r\n";
  }

  void OnTestEnd(const ::testing::TestInfo& test) override {
    const ::testing::TestResult& result = *test.result();
    std::string line = result.Failed() ? "failed  " : result.Skipped() ? "skipped " : "passed  ";
    line += test.test_suite_name() + std::string(".") + test.name();
    for (int i = 0; i < result.total_part_count(); ++i) {
      const ::testing::TestPartResult& part = result.GetTestPartResult(i);
      if (result.Failed() ? !part.failed() : !part.skipped()) continue;
      std::string message = part.summary();
      for (char& c : message) c = c == '\r' || c == '\n' ? ' ' : c;
      line += part.failed() && part.file_name()
                  ? ": " + (part.file_name() + (":" + std::to_string(part.line_number())))
                  : "";
      line += ": " + message.erase(0, message.find_first_not_of(' '));
      break;
    }
    std::ofstream(file_, std::ios::binary | std::ios::app) << line << "\r\n";
  }

 private:
  std::filesystem::path file_;
};

const bool kReporting = [] {
  const wchar_t* file = _wgetenv(L"MIRABELTON_SELFTEST_REPORT");
  if (file && *file) ::testing::UnitTest::GetInstance()->listeners().Append(new ReportLines(file));
  return file && *file;
}();

}  // namespace
