#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace jw {

/// A global atom table kept inside the process, for desktops that have none:
/// atoms 0xC000 to 0xFFFF, lowest free value first, names compared without
/// regard to ASCII letter case, and a reference count per atom.
class AtomTable final {
public:
    static constexpr std::uint16_t FirstAtom = 0xC000;

    /// Adds a reference to `name`, creating the atom when new. Returns the
    /// atom, or 0 with `error` = ERROR_NOT_ENOUGH_MEMORY when the table is full.
    std::uint16_t add(std::string_view name, std::uint32_t &error);

    /// Drops one reference; unknown atoms are ignored.
    void remove(std::uint16_t atom);

    /// References held on `atom`, 0 when it does not exist.
    int referenceCount(std::uint16_t atom) const;

    /// Number of atoms in the table.
    std::size_t size() const { return m_atoms.size(); }

private:
    struct Entry {
        std::string foldedName;
        int references = 0;
    };

    std::map<std::uint16_t, Entry> m_atoms;
    std::map<std::string, std::uint16_t> m_byFoldedName;
    std::set<std::uint16_t> m_freed;  // values below m_next given back
    std::uint32_t m_next = FirstAtom; // lowest value never handed out
};

} // namespace jw
