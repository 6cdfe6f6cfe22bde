#pragma once

#include "richtext/richtext.h"
#include "richtext/rtfgroupstack.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jw::rtf::detail {

/// Where each format starts in the text being read. A format is packed into
/// a key and a link number and unpacked once per run at the end, so the hot
/// path never copies font names or addresses.
class RunMarks final {
public:
    explicit RunMarks(std::size_t expected) { m_marks.reserve(expected); }

    /// The format of group state `s` in font name `nameId` holds from text
    /// position `at` on.
    void mark(std::size_t at, int nameId, const GroupState &s)
    {
        const Mark m{at,
                     (std::uint64_t(std::uint32_t(nameId)) << 16) | (std::uint64_t(s.halfPoints) << 3)
                         | (s.bold ? 4u : 0u) | (s.italic ? 2u : 0u) | (s.underline ? 1u : 0u),
                     s.link};
        if (!m_marks.empty() && m_marks.back().same(m))
            return;
        if (!m_marks.empty() && m_marks.back().start == at)
            m_marks.pop_back(); // nothing was written under it
        if (m_marks.empty() || !m_marks.back().same(m))
            m_marks.push_back(m);
    }

    /// Keeps a link's address (UTF-8); returns its number for GroupState::link.
    int addLink(std::string href)
    {
        m_links.push_back(std::move(href));
        return static_cast<int>(m_links.size());
    }

    /// The runs of a text of `length` units; `names` maps a name id to its font.
    template <typename Names>
    std::vector<Run> runs(std::size_t length, const Names &names)
    {
        while (!m_marks.empty() && m_marks.back().start >= length)
            m_marks.pop_back();
        // Neighbouring marks differ, but two links to one address (or two
        // fonts of one name) are different marks of the same format.
        std::vector<Run> out;
        out.reserve(m_marks.size());
        for (std::size_t i = 0; i < m_marks.size(); ++i) {
            const Mark &m = m_marks[i];
            const std::size_t end = i + 1 < m_marks.size() ? m_marks[i + 1].start : length;
            CharFormat format{names.name(static_cast<int>(m.key >> 16)),
                              static_cast<int>((m.key >> 3) & 0x1FFF),
                              (m.key & 4) != 0,
                              (m.key & 2) != 0,
                              (m.key & 1) != 0,
                              m.link > 0 ? m_links[std::size_t(m.link - 1)] : std::string()};
            if (!out.empty() && out.back().format == format)
                out.back().length += end - m.start;
            else
                out.push_back(Run{m.start, end - m.start, std::move(format)});
        }
        return out;
    }

private:
    struct Mark {
        std::size_t start;
        std::uint64_t key;
        int link;
        bool same(const Mark &o) const { return key == o.key && link == o.link; }
    };
    std::vector<Mark> m_marks;
    std::vector<std::string> m_links;
};

} // namespace jw::rtf::detail
