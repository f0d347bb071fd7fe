// The platform's numbers that the platform-free code passes, compares or
// stores: Windows' own values, kept as Windows defines them, since they are
// part of the settings file (a hot-key value holds a virtual-key code) and
// of the windows' contract. The Win32 layer checks each against
// <windows.h> (platform/win32/system_values_check.cpp).
#pragma once

#include <cstdint>

namespace platform {

// The hot-key message (WM_HOTKEY).
inline constexpr unsigned kWmHotKey = 0x0312;

// Modifier flags of a hot-key value, as the hot-key control stores them
// (HOTKEYF_*), and as RegisterHotKey takes them (MOD_*).
inline constexpr unsigned kHotKeyfShift = 0x01;
inline constexpr unsigned kHotKeyfControl = 0x02;
inline constexpr unsigned kHotKeyfAlt = 0x04;
inline constexpr unsigned kModAlt = 0x0001;
inline constexpr unsigned kModControl = 0x0002;
inline constexpr unsigned kModShift = 0x0004;

// Message-box styles (MB_*) and the answer of its Yes button (IDYES).
enum MessageBoxStyle : unsigned {
  kMbOk = 0x0,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconExclamation = 0x30,
};
inline constexpr int kIdYes = 6;

// System colour indexes (COLOR_*).
inline constexpr int kColorWindow = 5;
inline constexpr int kColorAppWorkspace = 12;

// Virtual-key codes (VK_*; a letter's code is its capital).
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkS = 'S';
inline constexpr int kVkX = 'X';

// The shell's open operation (ShellExecuteW) succeeds with a result above 32.
inline constexpr bool ShellOpenSucceeded(std::intptr_t result) { return result > 32; }

// The operating system's platform id for Windows 95, 98 and Me
// (VER_PLATFORM_WIN32_WINDOWS).
inline constexpr unsigned kVerPlatformWin32Windows = 1;

// The drop effects a drag-over handler answers (DROPEFFECT_*).
inline constexpr int kDropEffectNone = 0;
inline constexpr int kDropEffectCopy = 1;

// The shift argument of key and mouse events: the modifier keys held.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

}  // namespace platform
