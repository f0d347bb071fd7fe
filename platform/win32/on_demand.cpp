#include "platform/win32/on_demand.h"

#include <shlwapi.h>

#include "platform/win32/library_search.h"

namespace win32::on_demand {

namespace {

// Each function is looked up once; the library then stays loaded for the
// life of the process, as an import would.
template <class Function>
Function* Find(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

constexpr wchar_t kOle[] = L"ole32.dll";
constexpr wchar_t kShell[] = L"shell32.dll";

}  // namespace

HRESULT CoInitialize(LPVOID reserved) {
  static auto* const function = Find<decltype(::CoInitialize)>(kOle, "CoInitialize");
  return function ? function(reserved) : E_FAIL;
}

void CoUninitialize() {
  static auto* const function = Find<decltype(::CoUninitialize)>(kOle, "CoUninitialize");
  if (function) function();
}

HRESULT OleInitialize(LPVOID reserved) {
  static auto* const function = Find<decltype(::OleInitialize)>(kOle, "OleInitialize");
  return function ? function(reserved) : E_FAIL;
}

void OleUninitialize() {
  static auto* const function = Find<decltype(::OleUninitialize)>(kOle, "OleUninitialize");
  if (function) function();
}

HRESULT RegisterDragDrop(HWND window, IDropTarget* target) {
  static auto* const function = Find<decltype(::RegisterDragDrop)>(kOle, "RegisterDragDrop");
  return function ? function(window, target) : E_FAIL;
}

HRESULT RevokeDragDrop(HWND window) {
  static auto* const function = Find<decltype(::RevokeDragDrop)>(kOle, "RevokeDragDrop");
  return function ? function(window) : E_FAIL;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
  static auto* const function = Find<decltype(::ReleaseStgMedium)>(kOle, "ReleaseStgMedium");
  if (function) function(medium);
}

UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR name, UINT size) {
  static auto* const function = Find<decltype(::DragQueryFileW)>(kShell, "DragQueryFileW");
  return function ? function(drop, index, name, size) : 0;
}

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR folder, INT showCommand) {
  static auto* const function = Find<decltype(::ShellExecuteW)>(kShell, "ShellExecuteW");
  // Without the shell nothing can be opened: "file not found" as the
  // shell reports it (a result of 32 or less is a failure).
  if (!function) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
  return function(owner, operation, file, parameters, folder, showCommand);
}

HRESULT SHAutoComplete(HWND edit, DWORD flags) {
  static auto* const function = Find<decltype(::SHAutoComplete)>(L"shlwapi.dll", "SHAutoComplete");
  return function ? function(edit, flags) : E_FAIL;
}

}  // namespace win32::on_demand
