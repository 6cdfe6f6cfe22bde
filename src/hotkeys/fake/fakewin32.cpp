#include "hotkeys/fake/fakewin32.h"

#include "hotkeys/win32codes.h"

#include <algorithm>

namespace jw {

std::uint16_t FakeWin32::addAtom(const std::string &name)
{
    if (m_atomFailure) {
        m_lastError = *m_atomFailure;
        m_atomFailure.reset();
        return 0;
    }
    return m_atoms.add(name, m_lastError);
}

bool FakeWin32::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey)
{
    const auto sameKeys = [&](const Registration &r) { return r.modifiers == modifiers && r.virtualKey == virtualKey; };
    if (const auto taken = m_taken.find({modifiers, virtualKey}); taken != m_taken.end()) {
        m_lastError = taken->second;
        return false;
    }
    if (std::any_of(m_registrations.begin(), m_registrations.end(), sameKeys)) {
        m_lastError = win32::ERROR_HOTKEY_ALREADY_REGISTERED;
        return false;
    }
    m_registrations.push_back({hwnd, id, modifiers, virtualKey});
    return true;
}

void FakeWin32::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    std::erase_if(m_registrations, [&](const Registration &r) { return r.hwnd == hwnd && r.id == id; });
    m_released->push_back(id);
}

std::string FakeWin32::messageText(std::uint32_t code) const
{
    const auto found = m_texts.find(code);
    return found == m_texts.end() ? std::string() : found->second;
}

void FakeWin32::takeCombination(std::int32_t modifiers, std::int32_t virtualKey, std::uint32_t error)
{
    m_taken[{modifiers, virtualKey}] = error;
}

void FakeWin32::attachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message)
{
    m_routes[{hwnd, message}] = &subclass;
}

void FakeWin32::detachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message)
{
    if (const auto found = m_routes.find({hwnd, message}); found != m_routes.end() && found->second == &subclass)
        m_routes.erase(found);
}

std::optional<std::int32_t> FakeWin32::send(std::intptr_t hwnd, std::int32_t message, std::int32_t wParam,
                                            std::int32_t lParam)
{
    const auto found = m_routes.find({hwnd, message});
    if (found == m_routes.end())
        return std::nullopt;
    return found->second->WindowProc(hwnd, message, wParam, lParam);
}

bool FakeWin32::press(std::int32_t modifiers, std::int32_t virtualKey)
{
    for (const Registration &r : m_registrations) {
        if (r.modifiers == modifiers && r.virtualKey == virtualKey) {
            // As Windows posts it: modifiers in the low half of lParam, the key in the high half.
            const auto lParam = static_cast<std::int32_t>((static_cast<std::uint32_t>(modifiers) & 0xFFFFu)
                                                          | (static_cast<std::uint32_t>(virtualKey) << 16));
            send(r.hwnd, win32::WM_HOTKEY, r.id, lParam);
            return true;
        }
    }
    return false;
}

} // namespace jw
