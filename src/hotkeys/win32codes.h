#pragma once

#include <cstdint>

// The Win32 numbers the hot key code speaks on every desktop: the registry's
// callers pass MOD_ flags and VK_ codes, and the backends without Win32 report
// their failures with Win32's error numbers, so one text table serves all.
// <windows.h> defines the same names as macros: never include both in one file.
namespace jw::win32 {

// Hot key modifier flags.
inline constexpr std::int32_t MOD_ALT = 0x1;
inline constexpr std::int32_t MOD_CONTROL = 0x2;
inline constexpr std::int32_t MOD_SHIFT = 0x4;
inline constexpr std::int32_t MOD_WIN = 0x8;
inline constexpr std::int32_t MOD_NOREPEAT = 0x4000;

// Virtual keys whose codes are not their character (letters and digits are 'A'..'Z', '0'..'9').
inline constexpr std::int32_t VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
inline constexpr std::int32_t VK_PAUSE = 0x13, VK_ESCAPE = 0x1B, VK_SPACE = 0x20;
inline constexpr std::int32_t VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24;
inline constexpr std::int32_t VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
inline constexpr std::int32_t VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_APPS = 0x5D;
inline constexpr std::int32_t VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B;
inline constexpr std::int32_t VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
inline constexpr std::int32_t VK_F1 = 0x70, VK_F24 = 0x87, VK_SCROLL = 0x91;
inline constexpr std::int32_t VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD;
inline constexpr std::int32_t VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB;
inline constexpr std::int32_t VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

// Messages and the hot key identifiers the system keeps for itself.
inline constexpr std::int32_t WM_HOTKEY = 0x0312;
inline constexpr std::int32_t IDHOT_SNAPWINDOW = -1;
inline constexpr std::int32_t IDHOT_SNAPDESKTOP = -2;

// Error numbers.
inline constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr std::uint32_t ERROR_NOT_SUPPORTED = 50;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_HOTKEY_ALREADY_REGISTERED = 1409;

} // namespace jw::win32
