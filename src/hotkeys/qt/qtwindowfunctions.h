#pragma once

#include <cstdint>

namespace jw::qtwindow {

// The window functions of IHotKeyPlatform for Qt's own windows, found by
// their native id (QWidget first, then QWindow). A handle that is no window
// of this application, or no application, reads as hidden and not minimised.

/// True when the window is shown.
bool isVisible(std::intptr_t hwnd);

/// Carries out a Win32 SW_ command (SW_HIDE, SW_SHOW, SW_SHOWNORMAL/SW_RESTORE,
/// SW_SHOWMINIMIZED/SW_MINIMIZE, SW_SHOWMAXIMIZED).
void show(std::intptr_t hwnd, std::int32_t command);

/// True when the window is minimised.
bool isMinimized(std::intptr_t hwnd);

/// WM_SYSCOMMAND with SC_RESTORE or SC_MINIMIZE; other messages are ignored. Returns 0.
std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam);

/// Raises and activates the window; false when there is no such window.
bool activate(std::intptr_t hwnd);

} // namespace jw::qtwindow
