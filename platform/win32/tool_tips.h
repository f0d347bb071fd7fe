// Tooltip windows, made and filled one way for every window of the program.
#pragma once

#include <windows.h>

namespace win32 {

// A topmost tooltip window owned by owner (and destroyed with it), shown
// while the owner is inactive too, with texts taken as they are; nullptr
// when the system could not make one.
HWND MakeToolTipWindow(HWND owner, HINSTANCE instance);

// A tip for a child window of owner: the tooltip watches the child itself.
void AddChildToolTip(HWND tips, HWND owner, HWND child, const wchar_t* text);

// A tip for a rectangle of owner's client area, known by id; owner relays
// its own mouse messages (TTM_RELAYEVENT).
void AddAreaToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area, const wchar_t* text);
void MoveAreaToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area);

}  // namespace win32
