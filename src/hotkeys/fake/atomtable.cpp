#include "hotkeys/fake/atomtable.h"

#include "hotkeys/win/hotkeytext.h"
#include "hotkeys/win32codes.h"

namespace jw {

std::uint16_t AtomTable::add(std::string_view name, std::uint32_t &error)
{
    std::string folded = hotkeytext::asciiLower(name);
    if (const auto found = m_byFoldedName.find(folded); found != m_byFoldedName.end()) {
        ++m_atoms[found->second].references;
        return found->second;
    }
    const std::uint32_t candidate = m_freed.empty() ? m_next : *m_freed.begin();
    if (candidate > 0xFFFF) {
        error = win32::ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    if (candidate == m_next)
        ++m_next;
    else
        m_freed.erase(m_freed.begin());
    const auto atom = static_cast<std::uint16_t>(candidate);
    m_byFoldedName.emplace(folded, atom);
    m_atoms.emplace(atom, Entry{std::move(folded), 1});
    return atom;
}

void AtomTable::remove(std::uint16_t atom)
{
    const auto found = m_atoms.find(atom);
    if (found == m_atoms.end() || --found->second.references > 0)
        return;
    m_byFoldedName.erase(found->second.foldedName);
    m_freed.insert(atom);
    m_atoms.erase(found);
}

int AtomTable::referenceCount(std::uint16_t atom) const
{
    const auto found = m_atoms.find(atom);
    return found == m_atoms.end() ? 0 : found->second.references;
}

} // namespace jw
