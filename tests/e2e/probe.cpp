// A stand-in for any program the launcher opens: it records how it was
// started, one line per start (its whole command line, UTF-8), in
// probe-log.txt beside itself, and ends. No window, no console.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring log(32768, L'\0');  // the longest path there is
  log.resize(GetModuleFileNameW(nullptr, log.data(), static_cast<DWORD>(log.size())));
  log = log.substr(0, log.find_last_of(L'\\')) + L"\\probe-log.txt";
  const wchar_t* commandLine = GetCommandLineW();
  std::string line(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0,
                                                           nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), static_cast<int>(line.size()),
                      nullptr, nullptr);
  line.back() = '\r';  // over the terminating null
  line += '\n';
  // Appends are whole writes, so probes started together never mix lines.
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
