#include "hotkeys/win/winhotkeyplatform.h"

#include "hotkeys/hotkeytext.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace jw {

namespace {

HWND toHwnd(std::intptr_t hwnd)
{
    return reinterpret_cast<HWND>(hwnd);
}

std::wstring toWide(const std::string &text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(const wchar_t *text, int length)
{
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace

// The wide-character functions are used so that names and texts keep every
// character instead of passing through the ANSI code page.
std::uint16_t WinHotKeyPlatform::addAtom(const std::string &name)
{
    const std::wstring wide = toWide(name);
    const ATOM atom = GlobalAddAtomW(wide.c_str());
    if (atom == 0)
        m_lastError = GetLastError();
    return atom;
}

void WinHotKeyPlatform::deleteAtom(std::uint16_t atom)
{
    GlobalDeleteAtom(atom);
}

bool WinHotKeyPlatform::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                       std::int32_t virtualKey)
{
    const auto flags = static_cast<UINT>(modifiers) | MOD_NOREPEAT;
    if (RegisterHotKey(toHwnd(hwnd), id, flags, static_cast<UINT>(virtualKey)))
        return true;
    m_lastError = GetLastError();
    return false;
}

void WinHotKeyPlatform::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    UnregisterHotKey(toHwnd(hwnd), id);
}

std::uint32_t WinHotKeyPlatform::tickCount()
{
    return GetTickCount();
}

std::uint32_t WinHotKeyPlatform::lastError()
{
    return m_lastError;
}

std::string WinHotKeyPlatform::formatMessage(std::uint32_t code)
{
    wchar_t buffer[256] = {};
    const DWORD written = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, code, 0, buffer, 256, nullptr);
    return toUtf8(buffer, static_cast<int>(written));
}

std::string WinHotKeyPlatform::executableName()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return "jotwell";
        if (length < path.size())
            return hotkeytext::fileStem(toUtf8(path.data(), static_cast<int>(length)));
        path.resize(path.size() * 2);
    }
}

bool WinHotKeyPlatform::isWindowVisible(std::intptr_t hwnd)
{
    return IsWindowVisible(toHwnd(hwnd)) != FALSE;
}

void WinHotKeyPlatform::showWindow(std::intptr_t hwnd, std::int32_t command)
{
    ShowWindow(toHwnd(hwnd), command);
}

bool WinHotKeyPlatform::isIconic(std::intptr_t hwnd)
{
    return IsIconic(toHwnd(hwnd)) != FALSE;
}

std::intptr_t WinHotKeyPlatform::sendMessage(std::intptr_t hwnd, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t lParam)
{
    return SendMessageA(toHwnd(hwnd), message, wParam, lParam);
}

bool WinHotKeyPlatform::setForegroundWindow(std::intptr_t hwnd)
{
    return SetForegroundWindow(toHwnd(hwnd)) != FALSE;
}

void WinHotKeyPlatform::attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.attach(target, hwnd, message);
}

void WinHotKeyPlatform::detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.detach(target, hwnd, message);
}

bool WinHotKeyPlatform::dispatch(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam)
{
    // WM_HOTKEY carries the identifier sign-extended; the registry compares
    // the low 32 bits.
    return m_router.deliver(hwnd, message, static_cast<std::int32_t>(wParam),
                            static_cast<std::int32_t>(lParam));
}

} // namespace jw
