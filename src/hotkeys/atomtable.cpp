#include "hotkeys/atomtable.h"

#include "hotkeys/hotkeytext.h"
#include "hotkeys/win32codes.h"

namespace jw {

std::uint16_t AtomTable::add(std::string_view name, std::uint32_t &error)
{
    if (name.empty()) {
        error = win32::ERROR_INVALID_NAME;
        return 0;
    }
    if (hotkeytext::utf16Length(name) > MaxNameLength) {
        error = win32::ERROR_INVALID_PARAMETER;
        return 0;
    }
    const std::string folded = hotkeytext::asciiLower(name);
    if (const auto found = m_byFoldedName.find(folded); found != m_byFoldedName.end()) {
        ++m_atoms[found->second].references;
        return found->second;
    }

    // The lowest free value, as freed atoms are handed out again.
    std::uint32_t candidate = m_next;
    if (!m_freed.empty())
        candidate = *m_freed.begin();
    if (candidate > 0xFFFF) {
        error = win32::ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    if (candidate == m_next)
        ++m_next;
    else
        m_freed.erase(m_freed.begin());
    const auto atom = static_cast<std::uint16_t>(candidate);
    m_atoms.emplace(atom, Entry{std::string(name), 1});
    m_byFoldedName.emplace(folded, atom);
    return atom;
}

bool AtomTable::remove(std::uint16_t atom, std::uint32_t &error)
{
    const auto found = m_atoms.find(atom);
    if (found == m_atoms.end()) {
        error = win32::ERROR_INVALID_HANDLE;
        return false;
    }
    if (--found->second.references == 0) {
        m_byFoldedName.erase(hotkeytext::asciiLower(found->second.name));
        m_freed.insert(atom);
        m_atoms.erase(found);
    }
    return true;
}

std::optional<std::string> AtomTable::name(std::uint16_t atom) const
{
    const auto found = m_atoms.find(atom);
    if (found == m_atoms.end())
        return std::nullopt;
    return found->second.name;
}

std::uint16_t AtomTable::find(std::string_view name) const
{
    const auto found = m_byFoldedName.find(hotkeytext::asciiLower(name));
    return found == m_byFoldedName.end() ? 0 : found->second;
}

int AtomTable::referenceCount(std::uint16_t atom) const
{
    const auto found = m_atoms.find(atom);
    return found == m_atoms.end() ? 0 : found->second.references;
}

} // namespace jw
