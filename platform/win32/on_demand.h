// The OLE and shell functions the launcher calls, each looked up in the
// system folder on its first call instead of imported. The first paint
// needs none of them, and loading OLE, the shell and what they pull in
// (COM's runtime among them) before it would make every start wait for
// libraries the window does not yet use. Where a library or a function
// cannot be found, each call fails as the function itself would.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

namespace win32::on_demand {

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT OleInitialize(LPVOID reserved);
void OleUninitialize();
HRESULT RegisterDragDrop(HWND window, IDropTarget* target);
HRESULT RevokeDragDrop(HWND window);
void ReleaseStgMedium(STGMEDIUM* medium);
UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR name, UINT size);
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR folder, INT showCommand);
HRESULT SHAutoComplete(HWND edit, DWORD flags);

}  // namespace win32::on_demand

namespace win32 {

// OLE for the thread (drag and drop needs more than COM), held until the
// object goes.
class OleSession {
 public:
  OleSession() = default;
  ~OleSession() {
    if (initialized_) on_demand::OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  void Begin() {
    if (!initialized_) initialized_ = SUCCEEDED(on_demand::OleInitialize(nullptr));
  }

 private:
  bool initialized_ = false;
};

}  // namespace win32
