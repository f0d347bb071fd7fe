// The names of platform/system_values.h stand for exactly the values that
// <windows.h> gives them; a difference fails the build.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include "platform/system_values.h"

namespace {

static_assert(platform::kWmHotKey == WM_HOTKEY);
static_assert(platform::kHotKeyfShift == HOTKEYF_SHIFT);
static_assert(platform::kHotKeyfControl == HOTKEYF_CONTROL);
static_assert(platform::kHotKeyfAlt == HOTKEYF_ALT);
static_assert(platform::kModAlt == MOD_ALT && platform::kModControl == MOD_CONTROL);
static_assert(platform::kModShift == MOD_SHIFT);
static_assert(platform::kMbOk == MB_OK && platform::kMbYesNo == MB_YESNO);
static_assert(platform::kMbIconError == MB_ICONERROR);
static_assert(platform::kMbIconExclamation == MB_ICONEXCLAMATION);
static_assert(platform::kIdYes == IDYES);
static_assert(platform::kColorWindow == COLOR_WINDOW);
static_assert(platform::kColorAppWorkspace == COLOR_APPWORKSPACE);
static_assert(platform::kVkBack == VK_BACK && platform::kVkReturn == VK_RETURN);
static_assert(platform::kVkEnd == VK_END && platform::kVkHome == VK_HOME);
static_assert(platform::kVkLeft == VK_LEFT && platform::kVkUp == VK_UP);
static_assert(platform::kVkRight == VK_RIGHT && platform::kVkDown == VK_DOWN);
static_assert(platform::kVkInsert == VK_INSERT && platform::kVkDelete == VK_DELETE);
static_assert(platform::kVerPlatformWin32Windows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(platform::kDropEffectNone == DROPEFFECT_NONE);
static_assert(platform::kDropEffectCopy == DROPEFFECT_COPY);
static_assert(platform::ShellOpenSucceeded(33) &&
              !platform::ShellOpenSucceeded(SE_ERR_DLLNOTFOUND));

}  // namespace
