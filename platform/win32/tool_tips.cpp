#include "platform/win32/tool_tips.h"

#include <commctrl.h>

namespace win32 {

namespace {

TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id, UINT flags, const wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = flags;
  tool.hwnd = owner;
  tool.uId = id;
  tool.lpszText = const_cast<wchar_t*>(text);  // copied by the tooltip
  return tool;
}

}  // namespace

HWND MakeToolTipWindow(HWND owner, HINSTANCE instance) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
}

void AddChildToolTip(HWND tips, HWND owner, HWND child, const wchar_t* text) {
  TTTOOLINFOW tool =
      ToolInfo(owner, reinterpret_cast<UINT_PTR>(child), TTF_IDISHWND | TTF_SUBCLASS, text);
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void AddAreaToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area, const wchar_t* text) {
  TTTOOLINFOW tool = ToolInfo(owner, id, 0, text);
  tool.rect = area;
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MoveAreaToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area) {
  TTTOOLINFOW tool = ToolInfo(owner, id, 0, nullptr);
  tool.rect = area;
  SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace win32
