#include "hotkeys/win/winbackend.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace jw {

namespace {

std::wstring toWide(const std::string &text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(const wchar_t *text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace

bool WinBackend::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey)
{
    const auto flags = static_cast<UINT>(modifiers) | MOD_NOREPEAT;
    if (RegisterHotKey(reinterpret_cast<HWND>(hwnd), id, flags, static_cast<UINT>(virtualKey)))
        return true;
    setLastError(GetLastError());
    return false;
}

void WinBackend::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    UnregisterHotKey(reinterpret_cast<HWND>(hwnd), id);
}

// The wide-character functions keep every character of names and texts
// instead of passing them through the ANSI code page.
std::string WinBackend::messageText(std::uint32_t code) const
{
    wchar_t buffer[256] = {};
    const DWORD written = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                         buffer, 256, nullptr);
    return toUtf8(buffer, static_cast<int>(written));
}

std::uint16_t WinBackend::addAtom(const std::string &name)
{
    const ATOM atom = GlobalAddAtomW(toWide(name).c_str());
    if (atom == 0)
        setLastError(GetLastError());
    return atom;
}

void WinBackend::deleteAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

bool WinBackend::handleMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message != WM_HOTKEY)
        return false;
    // The identifier arrives sign-extended; the registry compares 32 bits.
    reportPress({hwnd, static_cast<std::int32_t>(wParam), LOWORD(lParam), HIWORD(lParam)});
    return true;
}

} // namespace jw
