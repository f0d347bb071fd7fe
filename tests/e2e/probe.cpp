// A stand-in for any program the launcher opens: it records each start as
// a line holding its own file name in probe-log.txt beside itself, and
// ends. No window, no console.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  char* name = std::strrchr(path, '\\') + 1;
  const std::string line = name + std::string("\n");
  *name = '\0';
  // Appends are whole writes, so probes started together never mix lines.
  HANDLE log = CreateFileA((path + std::string("probe-log.txt")).c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(log);
  return ok ? 0 : 1;
}
