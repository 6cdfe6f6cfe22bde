#include "hotkeys/fake/fakehotkeybackend.h"

#include "hotkeys/win32codes.h"

#include <algorithm>

namespace jw {

bool FakeHotKeyBackend::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                       std::int32_t virtualKey)
{
    const auto sameKeys = [&](const Registration &r) { return r.modifiers == modifiers && r.virtualKey == virtualKey; };
    if (const auto taken = m_taken.find({modifiers, virtualKey}); taken != m_taken.end()) {
        setLastError(taken->second);
        return false;
    }
    if (std::any_of(m_registrations.begin(), m_registrations.end(), sameKeys)) {
        setLastError(win32::ERROR_HOTKEY_ALREADY_REGISTERED);
        return false;
    }
    m_registrations.push_back({hwnd, id, modifiers, virtualKey});
    return true;
}

void FakeHotKeyBackend::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    std::erase_if(m_registrations, [&](const Registration &r) { return r.hwnd == hwnd && r.id == id; });
    m_released->push_back(id);
}

std::string FakeHotKeyBackend::messageText(std::uint32_t code) const
{
    const auto found = m_texts.find(code);
    return found == m_texts.end() ? HotKeyBackend::messageText(code) : found->second;
}

std::uint16_t FakeHotKeyBackend::addAtom(const std::string &name)
{
    if (!m_atomFailure)
        return HotKeyBackend::addAtom(name);
    setLastError(*m_atomFailure);
    m_atomFailure.reset();
    return 0;
}

void FakeHotKeyBackend::takeCombination(std::int32_t modifiers, std::int32_t virtualKey, std::uint32_t error)
{
    m_taken[{modifiers, virtualKey}] = error;
}

bool FakeHotKeyBackend::press(std::int32_t modifiers, std::int32_t virtualKey)
{
    for (const Registration &r : m_registrations) {
        if (r.modifiers == modifiers && r.virtualKey == virtualKey) {
            reportPress({r.hwnd, r.id, r.modifiers, r.virtualKey});
            return true;
        }
    }
    return false;
}

} // namespace jw
