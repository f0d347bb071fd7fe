// Where the launcher lets Windows look for libraries. Users start the exe
// from wherever it lands, often a Downloads folder full of other files; a
// DLL in that folder named like a system library must never be loaded.
#pragma once

#include <windows.h>

namespace win32 {

// Restricts every later library load of the process, including those that
// system libraries make on the launcher's behalf, to the system folder.
// Called first thing at start-up. Where Windows lacks the call (Windows 7
// without its 2011 loader update), it at least takes the current folder out
// of the search.
void RestrictLibrarySearchToSystemFolder();

// A library of the system folder, never one of the same name elsewhere;
// null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

}  // namespace win32
