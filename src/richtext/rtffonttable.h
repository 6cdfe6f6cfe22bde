#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace jw::rtf::detail {

/// The fonts of a document's font table, and the entry being read.
class FontTable final {
public:
    struct Font {
        int nameId = -1;   ///< see name(); -1: no such font
        int codePage = -1; ///< -1: the document's
    };

    FontTable();

    /// The font numbered `number`, or nullptr.
    const Font *find(int number) const;
    /// A font name by id. Entries with equal names share an id; id 0 is the
    /// empty name of text without a font.
    const std::string &name(int nameId) const { return m_names[static_cast<std::size_t>(nameId)]; }

    /// Starts the entry of font `number` (finishing an open one) in the
    /// group at `depth`.
    void beginEntry(int number, std::size_t depth);
    bool entryOpen() const { return m_open; }
    /// Depth of the group the open entry began in.
    std::size_t entryDepth() const { return m_depth; }
    void setCharset(int charset);
    void setCodePage(int codePage);
    void addToName(char16_t u) { m_name.push_back(u); }
    /// The code page of the open entry: its \cpg first, then its character
    /// set; -1 when neither names one this platform has.
    int entryCodePage() const;
    /// Stores the open entry, if any.
    void finishEntry();
    /// Forgets the open entry, if any.
    void dropEntry() { m_open = false; }

private:
    std::vector<std::string> m_names;
    std::unordered_map<std::string, int> m_nameIds;
    // A flat array for the usual small font numbers, a map for the rest.
    std::vector<Font> m_flat;
    std::unordered_map<int, Font> m_other;

    bool m_open = false;
    int m_number = 0;
    std::size_t m_depth = 0;
    int m_charsetCodePage = -1;
    int m_codePage = -1;
    std::u16string m_name;
};

} // namespace jw::rtf::detail
