#include "platform/win32/win_file_dialog.h"

#include <commdlg.h>

#include <string>

#include "platform/win32/library_search.h"

namespace win32 {

namespace {

// The dialog's library is loaded on first use: imported at start it would
// bring its own imports into every launcher, which opens it rarely.
using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);

GetOpenFileNameFn OpenFileDialogFunction() {
  static const GetOpenFileNameFn function = [] {
    HMODULE library = LoadSystemLibrary(L"comdlg32.dll");
    return library ? reinterpret_cast<GetOpenFileNameFn>(
                         reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW")))
                   : nullptr;
  }();
  return function;
}

}  // namespace

std::wstring WinFileDialog::ShowOpen(const std::wstring& title, const std::wstring& filter) {
  // "label|pattern|..." becomes the NUL-separated, doubly NUL-ended list.
  std::wstring filterList = filter;
  for (wchar_t& c : filterList) {
    if (c == L'|') c = L'\0';
  }
  filterList.append(2, L'\0');

  // Room for long paths: the dialog reports FNERR_BUFFERTOOSMALL otherwise.
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  // A shortcut is taken by its own path, as a dropped one is; the process's
  // current folder is left alone.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                 OFN_NODEREFERENCELINKS | OFN_NOCHANGEDIR;
  const GetOpenFileNameFn getOpenFileName = OpenFileDialogFunction();
  if (!getOpenFileName || !getOpenFileName(&dialog)) return {};
  file.resize(file.find(L'\0'));
  return file;
}

}  // namespace win32
