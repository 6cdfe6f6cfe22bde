#include "richtext/codepages.h"
#include "richtext/richtext.h"
#include "richtext/rtfcommon.h"
#include "richtext/unicode.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <unordered_map>

namespace jw::rtf {

namespace {

using detail::CodePage;

// What a control word does; anything not listed is ignored.
enum class Kw : std::uint8_t {
    Unknown,
    // character format
    Bold, Italic, Underline, UnderlineNone, Plain, Font, FontSize,
    // document and font table
    Ansi, Mac, Pc, Pca, AnsiCpg, DefFont, FontTable, FontCharset, CodePageWord,
    // text
    Unicode, UnicodeSkip, Bin, Par, Line, Tab, Cell, Row, Char,
    // destinations
    Skip, FieldResult,
};

struct KwInfo {
    Kw kw = Kw::Unknown;
    char16_t ch = 0; // for Kw::Char
};

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
    {"fldrslt", {Kw::FieldResult}},
    // Destinations whose content is not page text.
    {"aftncn", {Kw::Skip}}, {"aftnsep", {Kw::Skip}}, {"aftnsepc", {Kw::Skip}},
    {"annotation", {Kw::Skip}}, {"atnauthor", {Kw::Skip}}, {"atndate", {Kw::Skip}},
    {"atnid", {Kw::Skip}}, {"atnref", {Kw::Skip}}, {"atrfend", {Kw::Skip}},
    {"atrfstart", {Kw::Skip}}, {"author", {Kw::Skip}}, {"background", {Kw::Skip}},
    {"bkmkend", {Kw::Skip}}, {"bkmkstart", {Kw::Skip}}, {"blipuid", {Kw::Skip}},
    {"category", {Kw::Skip}}, {"colorschememapping", {Kw::Skip}}, {"colortbl", {Kw::Skip}},
    {"comment", {Kw::Skip}}, {"company", {Kw::Skip}}, {"datastore", {Kw::Skip}},
    {"defchp", {Kw::Skip}}, {"defpap", {Kw::Skip}}, {"do", {Kw::Skip}},
    {"doccomm", {Kw::Skip}}, {"docvar", {Kw::Skip}}, {"expandedcolortbl", {Kw::Skip}},
    {"falt", {Kw::Skip}}, {"fchars", {Kw::Skip}}, {"fldinst", {Kw::Skip}},
    {"filetbl", {Kw::Skip}}, {"fname", {Kw::Skip}}, {"footer", {Kw::Skip}},
    {"footerf", {Kw::Skip}}, {"footerl", {Kw::Skip}}, {"footerr", {Kw::Skip}},
    {"footnote", {Kw::Skip}}, {"formfield", {Kw::Skip}}, {"ftncn", {Kw::Skip}},
    {"ftnsep", {Kw::Skip}}, {"ftnsepc", {Kw::Skip}}, {"generator", {Kw::Skip}},
    {"header", {Kw::Skip}}, {"headerf", {Kw::Skip}}, {"headerl", {Kw::Skip}},
    {"headerr", {Kw::Skip}}, {"hlinkbase", {Kw::Skip}}, {"info", {Kw::Skip}},
    {"keywords", {Kw::Skip}}, {"latentstyles", {Kw::Skip}}, {"lchars", {Kw::Skip}},
    {"listoverridetable", {Kw::Skip}}, {"listpicture", {Kw::Skip}}, {"listtable", {Kw::Skip}},
    {"manager", {Kw::Skip}}, {"mmathPr", {Kw::Skip}}, {"nonshppict", {Kw::Skip}},
    {"objclass", {Kw::Skip}}, {"objdata", {Kw::Skip}}, {"object", {Kw::Skip}},
    {"objname", {Kw::Skip}}, {"oldcprops", {Kw::Skip}}, {"oldpprops", {Kw::Skip}},
    {"oldsprops", {Kw::Skip}}, {"oldtprops", {Kw::Skip}}, {"operator", {Kw::Skip}},
    {"panose", {Kw::Skip}}, {"password", {Kw::Skip}}, {"pgdsctbl", {Kw::Skip}},
    {"pgptbl", {Kw::Skip}}, {"pict", {Kw::Skip}}, {"picprop", {Kw::Skip}},
    {"pn", {Kw::Skip}}, {"pntxta", {Kw::Skip}}, {"pntxtb", {Kw::Skip}},
    {"private", {Kw::Skip}}, {"protusertbl", {Kw::Skip}}, {"revtbl", {Kw::Skip}},
    {"rsidtbl", {Kw::Skip}}, {"rxe", {Kw::Skip}}, {"shp", {Kw::Skip}},
    {"shprslt", {Kw::Skip}}, {"stylesheet", {Kw::Skip}}, {"subject", {Kw::Skip}},
    {"tc", {Kw::Skip}}, {"tcn", {Kw::Skip}}, {"template", {Kw::Skip}},
    {"themedata", {Kw::Skip}}, {"title", {Kw::Skip}}, {"txe", {Kw::Skip}},
    {"userprops", {Kw::Skip}}, {"wgrffmtfilter", {Kw::Skip}}, {"xe", {Kw::Skip}},
    {"xmlnstbl", {Kw::Skip}},
};

constexpr std::size_t kMaxKeywordLength = 32;

// Open-addressing table over kKeywords; built once, lookups allocate nothing.
class KeywordTable final {
public:
    KeywordTable()
    {
        for (const KwEntry &e : kKeywords) {
            std::size_t slot = hash(e.name) & kMask;
            while (m_slots[slot] != nullptr)
                slot = (slot + 1) & kMask;
            m_slots[slot] = &e;
        }
    }

    KwInfo find(std::string_view word) const
    {
        if (word.size() > kMaxKeywordLength)
            return {};
        std::size_t slot = hash(word) & kMask;
        while (const KwEntry *e = m_slots[slot]) {
            if (e->name == word)
                return e->info;
            slot = (slot + 1) & kMask;
        }
        return {};
    }

private:
    static constexpr std::size_t kSize = 512;
    static constexpr std::size_t kMask = kSize - 1;
    static std::size_t hash(std::string_view s)
    {
        std::uint32_t h = 2166136261u;
        for (char c : s)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h;
    }
    std::array<const KwEntry *, kSize> m_slots{};
};

const KeywordTable &keywords()
{
    static const KeywordTable table;
    return table;
}

// Bytes that are plain text in the body: printable ASCII except \ { }.
struct PlainTable {
    std::array<bool, 256> plain{};
    constexpr PlainTable()
    {
        for (int c = 0x20; c < 0x7F; ++c)
            plain[c] = c != '\\' && c != '{' && c != '}';
    }
};
constexpr PlainTable kPlain;

bool isAlpha(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

enum class Dest : std::uint8_t { Body, FontTable };

// Everything a group scopes.
struct GroupState {
    int font = -1; // font number; -1 means the \deff font
    int halfPoints = detail::kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int unicodeSkip = 1;
    Dest dest = Dest::Body;
};

struct FontEntry {
    int nameId = 0;    // index into Reader::m_fontNames
    int codePage = -1; // -1: the document's
};

// Where a format starts; the format is packed into `key` and unpacked once
// per distinct key at the end, so the hot path never copies font names.
struct RunMark {
    std::size_t start;
    std::uint64_t key;
};

constexpr std::uint64_t packFormat(int nameId, int halfPoints, bool bold, bool italic, bool underline)
{
    return (std::uint64_t(std::uint32_t(nameId)) << 16) | (std::uint64_t(halfPoints) << 3)
        | (bold ? 4u : 0u) | (italic ? 2u : 0u) | (underline ? 1u : 0u);
}

// Deeper groups share their parent's state; this only bounds memory.
constexpr std::size_t kMaxDepth = 1024;

class Reader final {
public:
    explicit Reader(std::string_view bytes)
        : m_p(reinterpret_cast<const unsigned char *>(bytes.data()))
        , m_end(m_p + bytes.size())
    {
        m_stack.reserve(64);
        m_fontNames.emplace_back(); // id 0: no font
        // No construct yields more UTF-16 units than it has bytes, so this
        // buffer is written without growth checks in the common case.
        m_text.resize(bytes.size() + 16);
    }

    Document run()
    {
        parse();
        finish();
        return std::move(m_doc);
    }

private:
    // ---- main loop ---------------------------------------------------
    void parse()
    {
        while (m_p < m_end && !m_done) {
            const unsigned char c = *m_p;
            if (c == '{') {
                ++m_p;
                openGroup();
            } else if (c == '}') {
                ++m_p;
                closeGroup();
            } else if (c == '\\') {
                ++m_p;
                controlOrSymbol();
            } else if (c == '\r' || c == '\n') {
                ++m_p;
            } else if (m_stack.empty()) {
                ++m_p; // stray bytes before the first brace
            } else if (m_ucSkip > 0) {
                --m_ucSkip;
                ++m_p;
            } else if (kPlain.plain[c] && top().dest == Dest::Body && m_lead == 0 && m_high == 0) {
                plainRun();
            } else {
                ++m_p;
                rawByte(c);
            }
        }
    }

    // Fast path: a stretch of printable ASCII goes straight into the text.
    void plainRun()
    {
        const unsigned char *start = m_p;
        while (m_p < m_end && kPlain.plain[*m_p])
            ++m_p;
        beginBodyText();
        const std::size_t n = static_cast<std::size_t>(m_p - start);
        reserveText(n);
        char16_t *dst = m_text.data() + m_len;
        for (std::size_t i = 0; i < n; ++i)
            dst[i] = start[i];
        m_len += n;
    }

    void rawByte(unsigned char c)
    {
        if (top().dest == Dest::FontTable && c == ';') {
            finishFontEntry();
            return;
        }
        if (c == '\t') {
            emit(u'\t');
            return;
        }
        if (c < 0x20 || c == 0x7F)
            return; // stray control characters are not text
        textByte(c);
    }

    // ---- groups ------------------------------------------------------
    GroupState &top() { return m_stack.back(); }

    void openGroup()
    {
        m_ucSkip = 0;
        m_lead = 0;
        if (m_stack.empty()) {
            m_stack.emplace_back();
            m_dirty = true;
        } else if (m_stack.size() >= kMaxDepth) {
            ++m_overflow;
        } else {
            m_stack.push_back(m_stack.back());
        }
    }

    void closeGroup()
    {
        m_ucSkip = 0;
        m_lead = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.empty()) {
            m_done = true;
            return;
        }
        if (m_entryActive && m_stack.size() <= m_entryDepth)
            finishFontEntry();
        m_stack.pop_back();
        m_dirty = true;
        if (m_stack.empty())
            m_done = true; // the document's closing brace; what follows is junk
    }

    // Skips the rest of the current group, honouring \bin blobs, then
    // closes it like a normal closing brace.
    void skipGroup()
    {
        m_ucSkip = 0;
        m_lead = 0;
        std::size_t depth = 1;
        while (m_p < m_end) {
            const unsigned char c = *m_p++;
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) {
                    closeGroup();
                    return;
                }
            } else if (c == '\\' && m_p < m_end) {
                if (!isAlpha(*m_p)) {
                    ++m_p; // control symbol, including \{ \} and \\ .
                    continue;
                }
                const unsigned char *w = m_p;
                while (m_p < m_end && isAlpha(*m_p))
                    ++m_p;
                if (m_p - w == 3 && w[0] == 'b' && w[1] == 'i' && w[2] == 'n') {
                    bool has = false;
                    const long long n = parseParam(has);
                    skipBinary(has ? n : 0);
                }
            }
        }
    }

    // ---- control words ---------------------------------------------
    long long parseParam(bool &has)
    {
        has = false;
        bool negative = false;
        if (m_p + 1 < m_end && *m_p == '-' && isDigit(m_p[1])) {
            negative = true;
            ++m_p;
        }
        long long v = 0;
        while (m_p < m_end && isDigit(*m_p)) {
            has = true;
            v = std::min<long long>(v * 10 + (*m_p - '0'), 1LL + INT_MAX);
            ++m_p;
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p; // the delimiter belongs to the control word
        if (negative)
            v = -v;
        return std::clamp<long long>(v, INT_MIN, INT_MAX);
    }

    void skipBinary(long long n)
    {
        if (n <= 0)
            return;
        const auto left = static_cast<unsigned long long>(m_end - m_p);
        m_p += std::min<unsigned long long>(left, static_cast<unsigned long long>(n));
    }

    void controlOrSymbol()
    {
        if (m_p >= m_end)
            return;
        const unsigned char c = *m_p;
        if (!isAlpha(c)) {
            ++m_p;
            symbol(c);
            return;
        }
        const unsigned char *w = m_p;
        while (m_p < m_end && isAlpha(*m_p))
            ++m_p;
        const std::string_view word(reinterpret_cast<const char *>(w), static_cast<std::size_t>(m_p - w));
        bool has = false;
        const long long param = parseParam(has);
        if (m_stack.empty())
            return;
        const KwInfo info = keywords().find(word);
        if (m_ucSkip > 0) {
            // Part of a \u fallback: counts as one character, does nothing.
            --m_ucSkip;
            if (info.kw == Kw::Bin)
                skipBinary(has ? param : 0);
            return;
        }
        if (info.kw != Kw::Char)
            m_lead = 0;
        controlWord(info, has, static_cast<int>(param));
    }

    void symbol(unsigned char c)
    {
        if (m_stack.empty())
            return;
        if (c == '\'') {
            int v = 0;
            int digits = 0;
            while (digits < 2 && m_p < m_end && hexValue(*m_p) >= 0) {
                v = v * 16 + hexValue(*m_p++);
                ++digits;
            }
            if (m_ucSkip > 0) {
                --m_ucSkip;
                return;
            }
            if (digits > 0)
                textByte(static_cast<unsigned char>(v));
            return;
        }
        if (m_ucSkip > 0) {
            --m_ucSkip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textByte(c);
            break;
        case '~': emit(u'\u00A0'); break;
        case '-': emit(u'\u00AD'); break;
        case '_': emit(u'\u2011'); break;
        case '*': skipGroup(); break;
        case '\r':
        case '\n': bodyBreak(u'\n'); break;
        default: m_lead = 0; break;
        }
    }

    void controlWord(const KwInfo &info, bool has, int param)
    {
        GroupState &s = top();
        const bool on = !has || param != 0;
        switch (info.kw) {
        case Kw::Unknown: break;
        case Kw::Bold: s.bold = on; m_dirty = true; break;
        case Kw::Italic: s.italic = on; m_dirty = true; break;
        case Kw::Underline: s.underline = on; m_dirty = true; break;
        case Kw::UnderlineNone: s.underline = false; m_dirty = true; break;
        case Kw::Plain:
            s.font = -1;
            s.halfPoints = detail::kDefaultHalfPoints;
            s.bold = s.italic = s.underline = false;
            m_dirty = true;
            break;
        case Kw::Font:
            if (s.dest == Dest::FontTable) {
                beginFontEntry(has ? param : 0);
            } else {
                s.font = has ? param : 0;
                m_dirty = true;
            }
            break;
        case Kw::FontSize:
            s.halfPoints = has ? detail::normalizedHalfPoints(param) : detail::kDefaultHalfPoints;
            m_dirty = true;
            break;
        case Kw::Ansi: setAnsiCodePage(1252); break;
        case Kw::Mac: setAnsiCodePage(10000); break;
        case Kw::Pc: setAnsiCodePage(437); break;
        case Kw::Pca: setAnsiCodePage(850); break;
        case Kw::AnsiCpg:
            if (has)
                setAnsiCodePage(param);
            break;
        case Kw::DefFont:
            m_deff = has ? param : 0;
            m_dirty = true;
            break;
        case Kw::FontTable:
            s.dest = Dest::FontTable;
            m_entryActive = false;
            m_dirty = true;
            break;
        case Kw::FontCharset:
            if (s.dest == Dest::FontTable && m_entryActive && has) {
                m_entryCharsetCp = detail::codePageForCharset(param);
                m_dirty = true;
            }
            break;
        case Kw::CodePageWord:
            if (s.dest == Dest::FontTable && m_entryActive && has) {
                m_entryCpgCp = param;
                m_dirty = true;
            }
            break;
        case Kw::Unicode:
            if (has)
                unicode(param);
            break;
        case Kw::UnicodeSkip: s.unicodeSkip = has ? std::max(param, 0) : 1; break;
        case Kw::Bin: skipBinary(has ? param : 0); break;
        case Kw::Par: bodyBreak(u'\n'); break;
        case Kw::Line: bodyBreak(u'\u2028'); break;
        case Kw::Tab: bodyBreak(u'\t'); break;
        case Kw::Cell:
            bodyBreak(u'\t');
            m_cellEnd = m_len;
            break;
        case Kw::Row:
            // A row's last cell ends the row rather than adding a tab.
            if (s.dest == Dest::Body && m_cellEnd != 0 && m_cellEnd == m_len
                && m_text[m_len - 1] == u'\t' && m_high == 0) {
                m_text[m_len - 1] = u'\n';
                m_cellEnd = 0;
            } else {
                bodyBreak(u'\n');
            }
            break;
        case Kw::Char: emit(info.ch); break;
        case Kw::Skip: skipGroup(); break;
        case Kw::FieldResult:
            if (s.dest != Dest::Body)
                skipGroup();
            break;
        }
    }

    void setAnsiCodePage(int cp)
    {
        m_ansiCp = cp;
        m_dirty = true;
    }

    // ---- font table --------------------------------------------------
    void beginFontEntry(int number)
    {
        if (m_entryActive)
            finishFontEntry();
        m_entryActive = true;
        m_entryNumber = number;
        m_entryDepth = m_stack.size();
        m_entryCharsetCp = -1;
        m_entryCpgCp = -1;
        m_entryName.clear();
        m_dirty = true;
    }

    void finishFontEntry()
    {
        if (!m_entryActive)
            return;
        m_high = 0;
        m_lead = 0;
        FontEntry e;
        e.nameId = static_cast<int>(m_fontNames.size());
        m_fontNames.push_back(detail::utf16ToUtf8(m_entryName));
        e.codePage = m_entryCharsetCp != -1 ? m_entryCharsetCp : m_entryCpgCp;
        m_fonts[m_entryNumber] = std::move(e);
        m_entryActive = false;
        m_dirty = true;
    }

    // ---- text --------------------------------------------------------
    // Bring the decoding code page (and, in the body, the format) up to date.
    void resolve()
    {
        m_dirty = false;
        const GroupState &s = top();
        if (s.dest == Dest::FontTable) {
            const int cp = m_entryCharsetCp != -1 ? m_entryCharsetCp : m_entryCpgCp;
            m_cpNumber = cp > 0 ? cp : m_ansiCp;
            m_cp = &detail::codePage(m_cpNumber);
            return;
        }
        const FontEntry *font = nullptr;
        auto it = m_fonts.find(s.font == -1 ? m_deff : s.font);
        if (it == m_fonts.end())
            it = m_fonts.find(m_deff);
        if (it != m_fonts.end())
            font = &it->second;
        const int cp = (font && font->codePage > 0) ? font->codePage : m_ansiCp;
        if (!m_cp || m_cpNumber != cp) {
            m_cp = &detail::codePage(cp); // may be the 1252 stand-in for an unknown page
            m_cpNumber = cp;
        }
        const std::uint64_t key = packFormat(font ? font->nameId : 0, s.halfPoints, s.bold, s.italic, s.underline);
        if (m_marks.empty() || m_marks.back().key != key) {
            if (!m_marks.empty() && m_marks.back().start == m_len)
                m_marks.back().key = key; // nothing was written under it
            else
                m_marks.push_back(RunMark{m_len, key});
        }
    }

    void beginBodyText()
    {
        if (m_dirty)
            resolve();
    }

    // A byte of text in the current code page (raw, \'hh, or \\ \{ \}).
    void textByte(unsigned char b)
    {
        if (m_dirty)
            resolve();
        if (m_lead != 0) {
            const unsigned char lead = m_lead;
            m_lead = 0;
            const char16_t u = m_cp->pair(lead, b);
            if (u != u'\uFFFD' || b >= 0x80) {
                emit(u);
                return;
            }
            emit(u'\uFFFD'); // an invalid pair; the ASCII byte still counts
        }
        if (m_cp->isDoubleByte() && m_cp->isLeadByte(b)) {
            m_lead = b;
            return;
        }
        emit(m_cp->single(b));
    }

    void unicode(int value)
    {
        m_ucSkip = top().unicodeSkip;
        long long v = value;
        if (v < 0 && v >= -32768)
            v += 65536;
        if (v <= 0 || v > 0x10FFFF)
            return;
        if (v > 0xFFFF) {
            v -= 0x10000;
            emit(static_cast<char16_t>(0xD800 + (v >> 10)));
            emit(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            emit(static_cast<char16_t>(v));
        }
    }

    // Breaks and tabs belong to the body only (not to font names).
    void bodyBreak(char16_t u)
    {
        m_lead = 0;
        if (top().dest == Dest::Body)
            emit(u);
    }

    // Every character goes through here: surrogates are paired, lone
    // halves and NULs dropped.
    void emit(char16_t u)
    {
        m_lead = 0;
        if (u >= 0xD800 && u <= 0xDBFF) {
            m_high = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            if (m_high == 0)
                return;
            const char16_t high = m_high;
            m_high = 0;
            put(high);
            put(u);
            return;
        }
        m_high = 0;
        if (u == 0)
            return;
        put(u);
    }

    void put(char16_t u)
    {
        if (top().dest == Dest::FontTable) {
            if (m_entryActive)
                m_entryName.push_back(u);
            return;
        }
        if (m_dirty)
            resolve();
        reserveText(1);
        m_text[m_len++] = u;
    }

    void reserveText(std::size_t n)
    {
        if (m_len + n > m_text.size())
            m_text.resize(std::max(m_text.size() * 2, m_len + n));
    }

    // ---- end ---------------------------------------------------------
    void finish()
    {
        if (m_entryActive)
            finishFontEntry();
        // Drop the paragraph mark that ends the last paragraph.
        if (m_len > 0 && m_text[m_len - 1] == u'\n')
            --m_len;
        while (!m_marks.empty() && m_marks.back().start >= m_len)
            m_marks.pop_back();

        m_text.resize(m_len);
        if (m_text.capacity() > 2 * m_len + 4096)
            m_text.shrink_to_fit();
        m_doc.text = std::move(m_text);

        std::unordered_map<std::uint64_t, CharFormat> formats;
        m_doc.runs.reserve(m_marks.size());
        for (std::size_t i = 0; i < m_marks.size(); ++i) {
            const RunMark &m = m_marks[i];
            auto [it, added] = formats.try_emplace(m.key);
            if (added) {
                CharFormat &f = it->second;
                f.font = m_fontNames[static_cast<std::size_t>(m.key >> 16)];
                f.halfPoints = static_cast<int>((m.key >> 3) & 0x1FFF);
                f.bold = (m.key & 4) != 0;
                f.italic = (m.key & 2) != 0;
                f.underline = (m.key & 1) != 0;
            }
            const std::size_t end = i + 1 < m_marks.size() ? m_marks[i + 1].start : m_len;
            m_doc.runs.push_back(Run{m.start, end - m.start, it->second});
        }
        normalizeRuns(m_doc); // different font entries may share a name
    }

    const unsigned char *m_p;
    const unsigned char *m_end;
    bool m_done = false;
    std::vector<GroupState> m_stack;
    std::size_t m_overflow = 0;
    Document m_doc;
    std::u16string m_text; // sized ahead; m_len units are used
    std::size_t m_len = 0;
    std::vector<RunMark> m_marks;
    std::vector<std::string> m_fontNames;

    int m_ansiCp = 1252;
    int m_deff = 0;
    std::unordered_map<int, FontEntry> m_fonts;
    bool m_entryActive = false;
    int m_entryNumber = 0;
    std::size_t m_entryDepth = 0;
    int m_entryCharsetCp = -1;
    int m_entryCpgCp = -1;
    std::u16string m_entryName;

    bool m_dirty = true;
    const CodePage *m_cp = nullptr;
    int m_cpNumber = 0;
    int m_ucSkip = 0;
    unsigned char m_lead = 0;
    char16_t m_high = 0;
    std::size_t m_cellEnd = 0;
};

Document readPlainText(std::string_view bytes)
{
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::u16string decoded;
    if (!detail::utf8ToUtf16Strict(bytes, decoded))
        decoded = detail::decodeWindows1252(bytes);
    Document doc;
    doc.text.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const char16_t u = decoded[i];
        if (u == u'\r') {
            doc.text.push_back(u'\n');
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
        } else if (u != 0) {
            doc.text.push_back(u);
        }
    }
    if (!doc.text.empty())
        doc.runs.push_back(Run{0, doc.text.size(), CharFormat{}});
    return doc;
}

} // namespace

Document readRtf(std::string_view bytes)
{
    if (bytes.substr(0, 5) != "{\\rtf")
        return readPlainText(bytes);
    return Reader(bytes).run();
}

} // namespace jw::rtf
