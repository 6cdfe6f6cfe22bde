#pragma once

#include "richtext/rtfcommon.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jw::rtf::detail {

/// Where the text of a group goes.
enum class Dest : std::uint8_t { Body, FontTable };

/// Everything a group scopes.
struct GroupState {
    int font = -1; ///< font number; -1 means the \deff font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Dest dest = Dest::Body;
    int unicodeSkip = 1;
    int link = 0; ///< the link's number (RunMarks::addLink); 0: no link
};

/// The states of the open groups. A group that changes nothing shares its
/// parent's entry, so depth costs no memory: only groups that change
/// something take one of the `kMaxStates` entries. When they are all taken
/// a deeper group cannot change anything, which keeps every closing brace
/// restoring exactly what its group found.
class GroupStack final {
public:
    static constexpr std::size_t kMaxStates = 1024;

    bool empty() const { return m_depth == 0; }
    /// Number of open groups.
    std::size_t depth() const { return m_depth; }
    /// The innermost group's state, for reading.
    const GroupState &top() const { return m_entries.back().state; }

    /// Opens a group, sharing its parent's state until it changes it.
    void open()
    {
        if (m_depth++ == 0)
            m_entries.push_back(Entry{});
        else
            ++m_entries.back().sharedBy;
    }

    /// Closes the innermost group; true when that restored another state.
    bool close()
    {
        --m_depth;
        Entry &e = m_entries.back();
        if (e.sharedBy > 0) {
            --e.sharedBy;
            return false;
        }
        m_entries.pop_back();
        return true;
    }

    /// The innermost group's state, for changing; nullptr when the group
    /// cannot have a state of its own.
    GroupState *edit()
    {
        Entry &e = m_entries.back();
        if (e.sharedBy == 0)
            return &e.state;
        if (m_entries.size() >= kMaxStates)
            return nullptr;
        --e.sharedBy;
        m_entries.push_back(Entry{e.state, 0});
        return &m_entries.back().state;
    }

private:
    struct Entry {
        GroupState state;
        std::size_t sharedBy = 0; ///< open groups past the first that use it
    };
    std::vector<Entry> m_entries;
    std::size_t m_depth = 0;
};

} // namespace jw::rtf::detail
