#include "hotkeys/win/winfunctions.h"

#include "hotkeys/win/hotkeytext.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace jw {

namespace {

HWND handle(std::intptr_t hwnd) { return reinterpret_cast<HWND>(hwnd); }

// The wide-character functions keep every character of names and texts
// instead of passing them through the ANSI code page.
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

// The router's table, shared by every registry of the process.
struct Route {
    HWND window;
    UINT message;
    ISubclass *subclass;
};
std::vector<Route> &routes()
{
    static std::vector<Route> table;
    return table;
}
constexpr UINT_PTR SubclassId = 0x4A57;

bool attached(HWND window, UINT message, const ISubclass *subclass)
{
    return std::any_of(routes().begin(), routes().end(), [&](const Route &r) {
        return r.window == window && r.message == message && (!subclass || r.subclass == subclass);
    });
}

LRESULT CALLBACK routed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    std::vector<ISubclass *> targets;
    for (const Route &route : routes()) {
        if (route.window == window && route.message == message)
            targets.push_back(route.subclass);
    }
    bool consumed = false;
    LRESULT result = 0;
    for (ISubclass *subclass : targets) {
        // An earlier one may have detached this one.
        if (!attached(window, message, subclass))
            continue;
        // Read first: WindowProc may detach, or end, the subclass.
        consumed = consumed || subclass->MsgResponse() == 2;
        // The hot key identifier arrives sign-extended; the registry compares 32 bits.
        result = subclass->WindowProc(reinterpret_cast<std::intptr_t>(window), static_cast<std::int32_t>(message),
                                      static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
    }
    return consumed ? result : DefSubclassProc(window, message, wParam, lParam);
}

bool served(HWND window)
{
    return std::any_of(routes().begin(), routes().end(), [&](const Route &r) { return r.window == window; });
}

} // namespace

std::uint16_t WinFunctions::addAtom(const std::string &name)
{
    const ATOM atom = GlobalAddAtomW(toWide(name).c_str());
    if (atom == 0)
        m_lastError = GetLastError();
    return atom;
}

void WinFunctions::deleteAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

bool WinFunctions::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey)
{
    // A held key is one press.
    const auto flags = static_cast<UINT>(modifiers) | MOD_NOREPEAT;
    if (RegisterHotKey(handle(hwnd), id, flags, static_cast<UINT>(virtualKey)))
        return true;
    m_lastError = GetLastError();
    return false;
}

void WinFunctions::unregisterHotKey(std::intptr_t hwnd, std::int32_t id) { UnregisterHotKey(handle(hwnd), id); }

std::string WinFunctions::messageText(std::uint32_t code) const
{
    wchar_t buffer[256] = {};
    const DWORD written = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                         buffer, 256, nullptr);
    return toUtf8(buffer, static_cast<int>(written));
}

std::uint32_t WinFunctions::tickCount() const { return GetTickCount(); }

std::string WinFunctions::programName() const
{
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    return length == 0 ? std::string("jotwell") : hotkeytext::fileStem(toUtf8(path.data(), static_cast<int>(length)));
}

bool WinFunctions::isVisible(std::intptr_t hwnd) { return IsWindowVisible(handle(hwnd)) != FALSE; }

void WinFunctions::show(std::intptr_t hwnd) { ShowWindow(handle(hwnd), SW_SHOW); }

bool WinFunctions::isMinimised(std::intptr_t hwnd) { return IsIconic(handle(hwnd)) != FALSE; }

void WinFunctions::restore(std::intptr_t hwnd) { SendMessageA(handle(hwnd), WM_SYSCOMMAND, SC_RESTORE, 0); }

void WinFunctions::bringToFront(std::intptr_t hwnd) { SetForegroundWindow(handle(hwnd)); }

void WinFunctions::attachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message)
{
    if (!served(handle(hwnd)))
        SetWindowSubclass(handle(hwnd), routed, SubclassId, 0);
    routes().push_back({handle(hwnd), static_cast<UINT>(message), &subclass});
}

void WinFunctions::detachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message)
{
    std::erase_if(routes(), [&](const Route &r) {
        return r.window == handle(hwnd) && r.message == static_cast<UINT>(message) && r.subclass == &subclass;
    });
    if (!served(handle(hwnd)))
        RemoveWindowSubclass(handle(hwnd), routed, SubclassId);
}

} // namespace jw
