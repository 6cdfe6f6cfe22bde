#include "hotkeys/win/winwindowfunctions.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace jw {

bool WinWindowFunctions::isVisible(std::intptr_t hwnd)
{
    return IsWindowVisible(reinterpret_cast<HWND>(hwnd)) != FALSE;
}

void WinWindowFunctions::show(std::intptr_t hwnd) { ShowWindow(reinterpret_cast<HWND>(hwnd), SW_SHOW); }

bool WinWindowFunctions::isMinimised(std::intptr_t hwnd) { return IsIconic(reinterpret_cast<HWND>(hwnd)) != FALSE; }

void WinWindowFunctions::restore(std::intptr_t hwnd)
{
    SendMessageA(reinterpret_cast<HWND>(hwnd), WM_SYSCOMMAND, SC_RESTORE, 0);
}

void WinWindowFunctions::bringToFront(std::intptr_t hwnd) { SetForegroundWindow(reinterpret_cast<HWND>(hwnd)); }

} // namespace jw
