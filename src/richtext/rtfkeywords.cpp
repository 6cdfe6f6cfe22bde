#include "richtext/rtfkeywords.h"

#include <array>

namespace jw::rtf::detail {

namespace {

struct KwEntry {
    std::string_view name;
    KwInfo info;
};

constexpr KwEntry kKeywords[] = {
    {"b", {Kw::Bold}},
    {"i", {Kw::Italic}},
    {"ul", {Kw::Underline}},
    {"uld", {Kw::Underline}},
    {"uldash", {Kw::Underline}},
    {"uldashd", {Kw::Underline}},
    {"uldashdd", {Kw::Underline}},
    {"uldb", {Kw::Underline}},
    {"ulhwave", {Kw::Underline}},
    {"ulldash", {Kw::Underline}},
    {"ulth", {Kw::Underline}},
    {"ulthd", {Kw::Underline}},
    {"ulthdash", {Kw::Underline}},
    {"ulthdashd", {Kw::Underline}},
    {"ulthdashdd", {Kw::Underline}},
    {"ulthldash", {Kw::Underline}},
    {"ululdbwave", {Kw::Underline}},
    {"ulw", {Kw::Underline}},
    {"ulwave", {Kw::Underline}},
    {"ulnone", {Kw::UnderlineNone}},
    {"plain", {Kw::Plain}},
    {"f", {Kw::Font}},
    {"fs", {Kw::FontSize}},
    {"ansi", {Kw::Ansi}},
    {"mac", {Kw::Mac}},
    {"pc", {Kw::Pc}},
    {"pca", {Kw::Pca}},
    {"ansicpg", {Kw::AnsiCpg}},
    {"deff", {Kw::DefFont}},
    {"fonttbl", {Kw::FontTable}},
    {"fcharset", {Kw::FontCharset}},
    {"cpg", {Kw::CodePageWord}},
    {"u", {Kw::Unicode}},
    {"uc", {Kw::UnicodeSkip}},
    {"bin", {Kw::Bin}},
    {"par", {Kw::Par}},
    {"sect", {Kw::Par}},
    {"page", {Kw::Par}},
    {"line", {Kw::Line}},
    {"tab", {Kw::Tab}},
    {"cell", {Kw::Cell}},
    {"nestcell", {Kw::Cell}},
    {"row", {Kw::Row}},
    {"emdash", {Kw::Char, 0x2014}},
    {"endash", {Kw::Char, 0x2013}},
    {"bullet", {Kw::Char, 0x2022}},
    {"lquote", {Kw::Char, 0x2018}},
    {"rquote", {Kw::Char, 0x2019}},
    {"ldblquote", {Kw::Char, 0x201C}},
    {"rdblquote", {Kw::Char, 0x201D}},
    {"emspace", {Kw::Char, 0x2003}},
    {"enspace", {Kw::Char, 0x2002}},
    {"qmspace", {Kw::Char, 0x2005}},
    {"zwj", {Kw::Char, 0x200D}},
    {"zwnj", {Kw::Char, 0x200C}},
    {"ltrmark", {Kw::Char, 0x200E}},
    {"rtlmark", {Kw::Char, 0x200F}},
    {"field", {Kw::Field}},
    {"fldrslt", {Kw::FieldResult}},
    // Destinations whose content is not page text.
    {"aftncn", {Kw::Skip}},
    {"aftnsep", {Kw::Skip}},
    {"aftnsepc", {Kw::Skip}},
    {"annotation", {Kw::Skip}},
    {"atnauthor", {Kw::Skip}},
    {"atndate", {Kw::Skip}},
    {"atnid", {Kw::Skip}},
    {"atnref", {Kw::Skip}},
    {"atrfend", {Kw::Skip}},
    {"atrfstart", {Kw::Skip}},
    {"author", {Kw::Skip}},
    {"background", {Kw::Skip}},
    {"bkmkend", {Kw::Skip}},
    {"bkmkstart", {Kw::Skip}},
    {"blipuid", {Kw::Skip}},
    {"category", {Kw::Skip}},
    {"colorschememapping", {Kw::Skip}},
    {"colortbl", {Kw::Skip}},
    {"comment", {Kw::Skip}},
    {"company", {Kw::Skip}},
    {"datastore", {Kw::Skip}},
    {"defchp", {Kw::Skip}},
    {"defpap", {Kw::Skip}},
    {"do", {Kw::Skip}},
    {"doccomm", {Kw::Skip}},
    {"docvar", {Kw::Skip}},
    {"expandedcolortbl", {Kw::Skip}},
    {"falt", {Kw::Skip}},
    {"fchars", {Kw::Skip}},
    {"fldinst", {Kw::FieldInstruction}},
    {"filetbl", {Kw::Skip}},
    {"fname", {Kw::Skip}},
    {"footer", {Kw::Skip}},
    {"footerf", {Kw::Skip}},
    {"footerl", {Kw::Skip}},
    {"footerr", {Kw::Skip}},
    {"footnote", {Kw::Skip}},
    {"formfield", {Kw::Skip}},
    {"ftncn", {Kw::Skip}},
    {"ftnsep", {Kw::Skip}},
    {"ftnsepc", {Kw::Skip}},
    {"generator", {Kw::Skip}},
    {"header", {Kw::Skip}},
    {"headerf", {Kw::Skip}},
    {"headerl", {Kw::Skip}},
    {"headerr", {Kw::Skip}},
    {"hlinkbase", {Kw::Skip}},
    {"info", {Kw::Skip}},
    {"keywords", {Kw::Skip}},
    {"latentstyles", {Kw::Skip}},
    {"lchars", {Kw::Skip}},
    {"listoverridetable", {Kw::Skip}},
    {"listpicture", {Kw::Skip}},
    {"listtable", {Kw::Skip}},
    {"manager", {Kw::Skip}},
    {"mmathPr", {Kw::Skip}},
    {"nonshppict", {Kw::Skip}},
    {"objclass", {Kw::Skip}},
    {"objdata", {Kw::Skip}},
    {"object", {Kw::Skip}},
    {"objname", {Kw::Skip}},
    {"oldcprops", {Kw::Skip}},
    {"oldpprops", {Kw::Skip}},
    {"oldsprops", {Kw::Skip}},
    {"oldtprops", {Kw::Skip}},
    {"operator", {Kw::Skip}},
    {"panose", {Kw::Skip}},
    {"password", {Kw::Skip}},
    {"pgdsctbl", {Kw::Skip}},
    {"pgptbl", {Kw::Skip}},
    {"pict", {Kw::Skip}},
    {"picprop", {Kw::Skip}},
    {"pn", {Kw::Skip}},
    {"pntxta", {Kw::Skip}},
    {"pntxtb", {Kw::Skip}},
    {"private", {Kw::Skip}},
    {"protusertbl", {Kw::Skip}},
    {"revtbl", {Kw::Skip}},
    {"rsidtbl", {Kw::Skip}},
    {"rxe", {Kw::Skip}},
    {"shp", {Kw::Skip}},
    {"shprslt", {Kw::Skip}},
    {"stylesheet", {Kw::Skip}},
    {"subject", {Kw::Skip}},
    {"tc", {Kw::Skip}},
    {"tcn", {Kw::Skip}},
    {"template", {Kw::Skip}},
    {"themedata", {Kw::Skip}},
    {"title", {Kw::Skip}},
    {"txe", {Kw::Skip}},
    {"userprops", {Kw::Skip}},
    {"wgrffmtfilter", {Kw::Skip}},
    {"xe", {Kw::Skip}},
    {"xmlnstbl", {Kw::Skip}},
};

// Open-addressing table over kKeywords, built by the compiler.
class KeywordTable final {
public:
    constexpr KeywordTable()
    {
        for (const KwEntry &e : kKeywords) {
            std::size_t slot = hash(e.name) & kMask;
            while (m_slots[slot] != nullptr)
                slot = (slot + 1) & kMask;
            m_slots[slot] = &e;
        }
    }

    constexpr KwInfo find(std::string_view word) const
    {
        if (word.empty() || word.size() > kMaxKeywordLength)
            return {};
        std::size_t slot = hash(word) & kMask;
        while (const KwEntry *e = m_slots[slot]) {
            if (same(e->name, word))
                return e->info;
            slot = (slot + 1) & kMask;
        }
        return {};
    }

private:
    static constexpr std::size_t kSize = 512;
    static constexpr std::size_t kMask = kSize - 1;

    // Looks at the length and three letters only: cheap, and it spreads
    // the known words well enough for short probes.
    static constexpr std::size_t hash(std::string_view w)
    {
        const std::size_t n = w.size();
        const auto at = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(w[i])); };
        std::uint32_t h = static_cast<std::uint32_t>(n) * 0x9E3779B1u ^ at(0) * 0x85EBCA6Bu ^ at(n - 1) * 0xC2B2AE35u;
        if (n > 1)
            h ^= at(1) * 0x27D4EB2Fu;
        if (n > 3)
            h ^= at(n / 2 + 1) * 0x165667B1u;
        return h ^ (h >> 15);
    }

    static constexpr bool same(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }

    std::array<const KwEntry *, kSize> m_slots{};
};

constexpr KeywordTable kTable;

} // namespace

KwInfo findKeyword(std::string_view word) { return kTable.find(word); }

} // namespace jw::rtf::detail
