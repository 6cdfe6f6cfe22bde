#include "hotkeys/hotkeybackend.h"

#include "hotkeys/program.h"
#include "hotkeys/win32codes.h"

namespace jw {

std::string HotKeyBackend::messageText(std::uint32_t code) const
{
    switch (code) {
    case win32::ERROR_NOT_ENOUGH_MEMORY: return "The atom table is full.";
    case win32::ERROR_INVALID_PARAMETER: return "The parameter is incorrect.";
    default: return {};
    }
}

std::uint16_t HotKeyBackend::addAtom(const std::string &name) { return m_atoms.add(name, m_lastError); }

void HotKeyBackend::deleteAtom(std::uint16_t atom) { m_atoms.remove(atom); }

std::uint32_t HotKeyBackend::tickCount() const { return program::tickCount(); }

std::string HotKeyBackend::programName() const { return program::name(); }

void HotKeyBackend::reportPress(const HotKeyPressed &press) const
{
    // A copy: the handler may replace itself or end this backend while it runs.
    const PressHandler handler = m_pressHandler;
    if (handler)
        handler(press);
}

} // namespace jw
