// A stand-in for any program the launcher opens: it records each start as
// a line in probe-log.txt beside itself, its own file name and what it was
// given, and ends. No window, no console. Given a DLL's name, it first
// loads that, as a bare program that trusts the search order does.
#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  if (std::wstring_view(arguments).ends_with(L".dll")) LoadLibraryW(arguments);
  char path[MAX_PATH * 4] = {}, given[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  WideCharToMultiByte(CP_UTF8, 0, arguments, -1, given, sizeof given, nullptr, nullptr);
  char* name = std::strrchr(path, '\\') + 1;
  const std::string line = name + (*given ? " " + std::string(given) : "") + "\n";
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
