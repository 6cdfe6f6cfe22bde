#include "wintestsupport.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace jw::test {

void PrintTo(const Press &press, std::ostream *os)
{
    *os << "(\"" << press.name << "\", " << press.modifiers << ", " << press.key << ")";
}

MessageWindow::MessageWindow()
{
    const HWND hwnd = CreateWindowExW(0, L"STATIC", L"jotwell hot keys", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    m_hwnd = reinterpret_cast<std::intptr_t>(hwnd);
}

MessageWindow::~MessageWindow()
{
    if (m_hwnd)
        DestroyWindow(reinterpret_cast<HWND>(m_hwnd));
}

std::uint16_t RecordingWinPlatform::addAtom(const std::string &name)
{
    const std::uint16_t atom = WinHotKeyPlatform::addAtom(name);
    if (atom != 0 && m_atoms)
        m_atoms->push_back(atom);
    return atom;
}

std::unique_ptr<cRegHotKey> makeRegistry(std::vector<Press> &log, WinHotKeyPlatform **backend,
                                         std::shared_ptr<std::vector<std::uint16_t>> atoms)
{
    auto platform = std::make_unique<RecordingWinPlatform>(std::move(atoms));
    *backend = platform.get();
    auto registry = std::make_unique<cRegHotKey>(std::move(platform));
    registry->HotKeyPress = [&log](const std::string &name, std::int32_t modifiers, std::int32_t key) {
        log.push_back({name, modifiers, key});
    };
    return registry;
}

void postHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t key)
{
    PostMessageW(reinterpret_cast<HWND>(hwnd), WM_HOTKEY, static_cast<WPARAM>(static_cast<INT_PTR>(id)),
                 MAKELPARAM(modifiers, key));
}

void pumpMessages(WinHotKeyPlatform &backend)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!backend.dispatch(reinterpret_cast<std::intptr_t>(msg.hwnd), msg.message, msg.wParam, msg.lParam))
            DispatchMessageW(&msg);
    }
}

bool atomExists(std::uint16_t atom)
{
    wchar_t name[256];
    return GlobalGetAtomNameW(atom, name, 256) != 0;
}

std::string atomName(std::uint16_t atom)
{
    char name[256];
    const UINT length = GlobalGetAtomNameA(atom, name, 256);
    return std::string(name, length);
}

} // namespace jw::test
