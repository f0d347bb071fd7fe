// Stands in for a DLL that someone left beside Mirabelton.exe under the name
// of a system library. Whatever process loads it leaves a marker beside it,
// "<dll name>.<exe name>.loaded", so a test can tell which programs took it.
// It exports the functions a program may import from VERSION.dll, so that an
// import of that library is satisfied by this file.
#include <windows.h>

#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  const std::wstring exe = ModulePath(nullptr);
  const std::wstring marker =
      ModulePath(self) + L"." + exe.substr(exe.find_last_of(L'\\') + 1) + L".loaded";
  HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}

extern "C" DWORD WINAPI PlantedVersionInfoSize(const wchar_t*, DWORD*) { return 0; }
extern "C" BOOL WINAPI PlantedVersionInfo(const wchar_t*, DWORD, DWORD, void*) { return FALSE; }
extern "C" BOOL WINAPI PlantedQueryValue(const void*, const wchar_t*, void**, UINT*) {
  return FALSE;
}
