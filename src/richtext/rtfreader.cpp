#include "richtext/codepages.h"
#include "richtext/richtext.h"
#include "richtext/rtfbytes.h"
#include "richtext/rtfcommon.h"
#include "richtext/rtffield.h"
#include "richtext/rtffonttable.h"
#include "richtext/rtfgroupstack.h"
#include "richtext/rtfkeywords.h"
#include "richtext/rtfrunmarks.h"
#include "richtext/rtfplaintext.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace jw::rtf {

namespace {

using detail::CodePage;
using detail::Dest;
using detail::GroupState;
using detail::isAlpha;
using detail::isDigit;
using detail::kPlain;
using detail::Kw;
using detail::KwInfo;

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Text units put in use at a time.
constexpr std::size_t kTextStep = 1 << 16;

class Reader final {
public:
    Reader(std::string_view bytes, ReadControl *control)
        : m_p(reinterpret_cast<const unsigned char *>(bytes.data())), m_begin(m_p), m_end(m_p + bytes.size()),
          m_control(control), m_nextReport(m_control ? m_p : m_end),
          m_marks(bytes.size() / 16 + 16) // untouched room costs nothing
    {
        // No construct yields more UTF-16 units than it has bytes, so the
        // text never needs more room than this; it is put in use (zeroed)
        // a step at a time, as most RTF is far more markup than text.
        m_text.reserve(bytes.size() + 16);
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
            if (m_p >= m_nextReport)
                report();
            const unsigned char c = *m_p;
            if (kPlain.plain[c] && m_ucSkip == 0 && m_lead == 0 && m_high == 0 && top().dest == Dest::Body) {
                plainRun();
                continue;
            }
            ++m_p;
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': controlOrSymbol(); break;
            case '\r':
            case '\n': break;
            default:
                if (m_ucSkip > 0)
                    --m_ucSkip;
                else
                    rawByte(c);
                break;
            }
        }
    }

    // Fast path: a stretch of printable ASCII goes straight into the text,
    // eight bytes at a time while it lasts.
    void plainRun()
    {
        if (m_dirty)
            resolve();
        const std::size_t n = std::min(static_cast<std::size_t>(m_end - m_p), kTextStep);
        reserveText(n);
        const unsigned char *p = detail::copyPlain(m_p, m_p + n, m_text.data() + m_len);
        m_len += static_cast<std::size_t>(p - m_p);
        m_p = p;
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
    const GroupState &top() const { return m_groups.top(); }

    void openGroup()
    {
        orphanLead();
        m_ucSkip = 0;
        m_groups.open();
    }

    void closeGroup()
    {
        orphanLead();
        m_ucSkip = 0;
        if (m_fonts.entryOpen() && m_groups.depth() <= m_fonts.entryDepth())
            finishFontEntry();
        if (m_groups.close())
            m_dirty = true;
        if (m_groups.empty())
            m_done = true; // the document's closing brace; what follows is junk
    }

    // Skips the rest of the current group, honouring \bin blobs, then
    // closes it like a normal closing brace.
    void skipGroup()
    {
        orphanLead();
        m_ucSkip = 0;
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
                const bool bin = m_p - w == 3 && std::memcmp(w, "bin", 3) == 0;
                bool has = false;
                const long long n = parseParam(has);
                if (bin)
                    skipBinary(has ? n : 0);
            }
        }
    }

    // ---- control words ---------------------------------------------
    long long parseParam(bool &has)
    {
        bool negative = false;
        if (m_end - m_p >= 2 && *m_p == '-' && isDigit(m_p[1])) {
            negative = true;
            ++m_p;
        }
        const unsigned char *digits = m_p;
        long long v = 0;
        while (m_p < m_end && isDigit(*m_p)) {
            if (v <= INT_MAX)
                v = v * 10 + (*m_p - '0');
            ++m_p;
        }
        has = m_p != digits;
        if (m_p < m_end && *m_p == ' ')
            ++m_p; // the delimiter belongs to the control word
        return std::clamp<long long>(negative ? -v : v, INT_MIN, INT_MAX);
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
        while (++m_p < m_end && isAlpha(*m_p)) {
        }
        const std::string_view word(reinterpret_cast<const char *>(w), static_cast<std::size_t>(m_p - w));
        bool has = false;
        const long long param = parseParam(has);
        const KwInfo info = word.size() == 1 && word[0] == 'u' ? KwInfo{Kw::Unicode} : detail::findKeyword(word);
        if (m_ucSkip > 0) {
            // Part of a \u fallback: counts as one character, does nothing.
            --m_ucSkip;
            if (info.kw == Kw::Bin)
                skipBinary(has ? param : 0);
            return;
        }
        orphanLead();
        controlWord(info, has, static_cast<int>(param));
    }

    void symbol(unsigned char c)
    {
        if (c == '\'') {
            int v = 0;
            int digits = 0;
            for (int h; digits < 2 && m_p < m_end && (h = detail::hexValue(*m_p)) >= 0; ++digits, ++m_p)
                v = v * 16 + h;
            if (m_ucSkip > 0)
                --m_ucSkip;
            else if (digits > 0)
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
        case '}': textByte(c); return; // may be the trail byte of a pair
        default: break;
        }
        orphanLead();
        switch (c) {
        case '~': emit(u'\u00A0'); break;
        case '-': emit(u'\u00AD'); break;
        case '_': emit(u'\u2011'); break;
        case '*':
            if (!detail::startsFieldInstruction(m_p, m_end))
                skipGroup();
            break;
        case '\r':
        case '\n': bodyBreak(u'\n'); break;
        default: break;
        }
    }

    void controlWord(const KwInfo &info, bool has, int param)
    {
        switch (info.kw) {
        case Kw::Bold:
        case Kw::Italic:
        case Kw::Underline:
        case Kw::UnderlineNone:
        case Kw::Plain:
        case Kw::Font:
        case Kw::FontSize:
        case Kw::UnicodeSkip:
        case Kw::FontTable: groupWord(info.kw, has, param); break;
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
        case Kw::FontCharset:
        case Kw::CodePageWord: fontEntryWord(info.kw, has, param); break;
        default: textWord(info, has, param); break;
        }
    }

    // Words that change the group's state.
    void groupWord(Kw kw, bool has, int param)
    {
        if (kw == Kw::Font && top().dest == Dest::FontTable) {
            m_fonts.beginEntry(has ? param : 0, m_groups.depth());
            m_dirty = true;
            return;
        }
        GroupState *s = m_groups.edit();
        if (!s) {
            // Too many nested changes to scope another one: ignore it, but
            // never read a table's content as text.
            if (kw == Kw::FontTable)
                skipGroup();
            return;
        }
        const bool on = !has || param != 0;
        m_dirty = true;
        switch (kw) {
        case Kw::Bold: s->bold = on; break;
        case Kw::Italic: s->italic = on; break;
        case Kw::Underline: s->underline = on; break;
        case Kw::UnderlineNone: s->underline = false; break;
        case Kw::Plain:
            s->font = -1;
            s->halfPoints = detail::kDefaultHalfPoints;
            s->bold = s->italic = s->underline = false;
            break;
        case Kw::Font: s->font = has ? param : 0; break;
        case Kw::FontSize:
            s->halfPoints = has ? detail::normalizedHalfPoints(param) : detail::kDefaultHalfPoints;
            break;
        case Kw::UnicodeSkip: s->unicodeSkip = has ? std::max(param, 0) : 1; break;
        case Kw::FontTable:
            s->dest = Dest::FontTable;
            m_fonts.dropEntry();
            break;
        default: break;
        }
    }

    // Words that produce text or skip input.
    void textWord(const KwInfo &info, bool has, int param)
    {
        switch (info.kw) {
        case Kw::Unicode:
            if (has)
                unicode(param);
            break;
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
            if (top().dest == Dest::Body && m_cellEnd != 0 && m_cellEnd == m_len && m_text[m_len - 1] == u'\t'
                && m_high == 0) {
                m_text[m_len - 1] = u'\n';
                m_cellEnd = 0;
            } else {
                bodyBreak(u'\n');
            }
            break;
        case Kw::Char: emit(info.ch); break;
        case Kw::Skip: skipGroup(); break;
        case Kw::Field: m_fieldDepth = m_groups.depth(); break;
        case Kw::FieldInstruction: fieldInstruction(); break;
        case Kw::FieldResult:
            if (top().dest != Dest::Body)
                skipGroup();
            break;
        default: break;
        }
    }

    // A HYPERLINK instruction makes the rest of its field (the result) a link.
    void fieldInstruction()
    {
        const unsigned char *start = m_p;
        skipGroup();
        // Its closing brace comes along: the instruction's text leaves braces out.
        std::string href = detail::hyperlinkAddress({reinterpret_cast<const char *>(start), std::size_t(m_p - start)});
        GroupState *field = m_groups.depth() == m_fieldDepth && !href.empty() ? m_groups.edit() : nullptr;
        if (field) {
            field->link = m_marks.addLink(std::move(href));
            m_dirty = true;
        }
    }

    void setAnsiCodePage(int cp)
    {
        m_ansiCp = cp;
        m_dirty = true;
    }

    // ---- font table --------------------------------------------------
    void fontEntryWord(Kw kw, bool has, int param)
    {
        if (top().dest != Dest::FontTable || !m_fonts.entryOpen() || !has)
            return;
        if (kw == Kw::FontCharset)
            m_fonts.setCharset(param);
        else
            m_fonts.setCodePage(param);
        m_dirty = true;
    }

    void finishFontEntry()
    {
        m_high = 0;
        m_lead = 0;
        m_fonts.finishEntry();
        m_dirty = true;
    }

    // ---- text --------------------------------------------------------
    // Brings the decoding code page (and, in the body, the format) up to date.
    void resolve()
    {
        m_dirty = false;
        const GroupState &s = top();
        if (s.dest == Dest::FontTable) {
            const int cp = m_fonts.entryCodePage();
            useCodePage(cp > 0 ? cp : m_ansiCp);
            return;
        }
        const detail::FontTable::Font *font = m_fonts.find(s.font == -1 ? m_deff : s.font);
        if (!font)
            font = m_fonts.find(m_deff);
        useCodePage(font && font->codePage > 0 ? font->codePage : m_ansiCp);
        m_marks.mark(m_len, font ? font->nameId : 0, s);
    }

    void useCodePage(int cp)
    {
        if (m_cpNumber != cp || !m_cp) {  // \ansicpg0 names no code page but still needs one
            m_cp = &detail::codePage(cp); // may be the 1252 stand-in for an unknown page
            m_cpNumber = cp;
        }
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
            if (u != kReplacement || b >= 0x80) {
                emit(u);
                return;
            }
            emit(kReplacement); // an invalid pair; the ASCII byte still counts
        }
        if (m_cp->isDoubleByte() && m_cp->isLeadByte(b)) {
            m_lead = b;
            return;
        }
        emit(m_cp->single(b));
    }

    // A lead byte whose trail never came (a brace, a control word or the
    // end came first) shows as U+FFFD, so the damage stays visible.
    void orphanLead()
    {
        if (m_lead == 0)
            return;
        m_lead = 0;
        m_high = 0;
        put(kReplacement);
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
        if (top().dest == Dest::Body)
            emit(u);
    }

    // Every character goes through here: surrogates are paired, lone
    // halves and NULs dropped.
    void emit(char16_t u)
    {
        orphanLead();
        if (isHighSurrogate(u)) {
            m_high = u;
            return;
        }
        if (isLowSurrogate(u)) {
            if (m_high == 0)
                return;
            const char16_t high = m_high;
            m_high = 0;
            put(high);
            put(u);
            return;
        }
        m_high = 0;
        if (u != 0)
            put(u);
    }

    void put(char16_t u)
    {
        if (top().dest == Dest::FontTable) {
            if (m_fonts.entryOpen())
                m_fonts.addToName(u);
            return;
        }
        if (m_dirty)
            resolve();
        reserveText(1);
        m_text[m_len++] = u;
    }

    void reserveText(std::size_t n)
    {
        if (m_len + n <= m_text.size())
            return;
        // Within the capacity no reallocation happens; past it (never, for
        // well-behaved input) the string grows geometrically.
        m_text.resize(std::max(m_len + n, std::min(m_text.capacity(), m_text.size() + kTextStep)));
    }

    // ---- end ---------------------------------------------------------
    void report()
    {
        m_control->done = m_control->parsedFrom + std::size_t(m_p - m_begin);
        if (m_control->stop)
            throw ReadStopped();
        m_nextReport = m_p + (std::size_t(1) << 20) < m_end ? m_p + (std::size_t(1) << 20) : m_end;
    }

    void finish()
    {
        orphanLead();
        finishFontEntry();
        // Drop the paragraph mark that ends the last paragraph.
        if (m_len > 0 && m_text[m_len - 1] == u'\n')
            --m_len;
        m_text.resize(m_len);
        if (m_text.capacity() > 2 * m_len + 4096)
            m_text.shrink_to_fit();
        m_doc.text = std::move(m_text);
        m_doc.runs = m_marks.runs(m_len, m_fonts);
    }

    const unsigned char *m_p;
    const unsigned char *m_begin;
    const unsigned char *m_end;
    ReadControl *m_control;
    const unsigned char *m_nextReport; ///< report() is due here, each megabyte; m_end without a control
    bool m_done = false;
    detail::GroupStack m_groups;
    Document m_doc;
    std::u16string m_text; // sized ahead; m_len units are used
    std::size_t m_len = 0;
    detail::RunMarks m_marks;
    std::size_t m_fieldDepth = 0; ///< depth of the innermost \field group

    int m_ansiCp = 1252;
    int m_deff = 0;
    detail::FontTable m_fonts;

    bool m_dirty = true;
    const CodePage *m_cp = nullptr;
    int m_cpNumber = 0;
    int m_ucSkip = 0;
    unsigned char m_lead = 0;
    char16_t m_high = 0;
    std::size_t m_cellEnd = 0;
};

} // namespace

Document readRtf(std::string_view bytes, ReadControl *control)
{
    if (bytes.substr(0, 5) != "{\\rtf")
        return detail::readPlainText(bytes);
    return Reader(bytes, control).run();
}

} // namespace jw::rtf
