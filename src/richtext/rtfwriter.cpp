#include "richtext/richtext.h"
#include "richtext/rtfcommon.h"
#include "richtext/rtffield.h"
#include "richtext/unicode.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <utility>

namespace jw::rtf {

namespace {

// Appends into a string sized ahead of need, so the hot loop only stores.
class Output final {
public:
    explicit Output(std::size_t expected) { m_buf.resize(std::max<std::size_t>(expected, 256)); }

    char *room(std::size_t n)
    {
        if (m_size + n > m_buf.size())
            m_buf.resize(std::max(m_buf.size() * 2, m_size + n));
        return m_buf.data() + m_size;
    }
    void commit(std::size_t n) { m_size += n; }

    void put(char c)
    {
        *room(1) = c;
        commit(1);
    }
    void put(std::string_view s)
    {
        std::copy(s.begin(), s.end(), room(s.size()));
        commit(s.size());
    }
    void number(long long v)
    {
        char *p = room(24);
        commit(static_cast<std::size_t>(std::to_chars(p, p + 24, v).ptr - p));
    }
    void word(std::string_view w, long long v)
    {
        put(w);
        number(v);
    }

    std::string take()
    {
        m_buf.resize(m_size);
        return std::move(m_buf);
    }

private:
    std::string m_buf;
    std::size_t m_size = 0;
};

// Printable ASCII that needs no escape.
bool isPlain(char16_t u) { return u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}'; }

void writeUnit(Output &out, char16_t u)
{
    switch (u) {
    case u'\\': out.put("\\\\"); return;
    case u'{': out.put("\\{"); return;
    case u'}': out.put("\\}"); return;
    case u'\n': out.put("\\par\n"); return;
    case u'\t': out.put("\\tab "); return;
    case u'\u2028': out.put("\\line "); return;
    default: break;
    }
    // Signed 16-bit, as RTF readers expect; '?' is the one-byte fallback
    // that \uc1 tells them to skip.
    out.put("\\u");
    out.number(u >= 0x8000 ? static_cast<long long>(u) - 0x10000 : static_cast<long long>(u));
    out.put('?');
}

void writeText(Output &out, std::u16string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        std::size_t j = i;
        while (j < n && isPlain(text[j]))
            ++j;
        if (j > i) {
            std::transform(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(j),
                           out.room(j - i), [](char16_t u) { return static_cast<char>(u); });
            out.commit(j - i);
        }
        if (j < n)
            writeUnit(out, text[j++]);
        i = j;
    }
}

void writeFontName(Output &out, const std::string &name)
{
    // ';' ends a font table entry, so it goes out as \u59.
    for (char16_t u : detail::utf8ToUtf16Lossy(name)) {
        if (u == u';' || u == u'\n' || u == u'\t' || u == u'\u2028') {
            out.put("\\u");
            out.number(u);
            out.put('?');
        } else if (isPlain(u)) {
            out.put(static_cast<char>(u));
        } else {
            writeUnit(out, u);
        }
    }
}

struct WriterState {
    int font = -1;
    int halfPoints = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// Writes the control words that change `state` into `f` in font `font`,
// and the space that ends them.
void writeFormat(Output &out, WriterState &state, int font, const CharFormat &f)
{
    const int size = detail::normalizedHalfPoints(f.halfPoints);
    bool wrote = false;
    if (font != state.font) {
        out.word("\\f", font);
        state.font = font;
        wrote = true;
    }
    if (size != state.halfPoints) {
        out.word("\\fs", size);
        state.halfPoints = size;
        wrote = true;
    }
    const auto flag = [&](bool want, bool &have, std::string_view on, std::string_view off) {
        if (want != have) {
            out.put(want ? on : off);
            have = want;
            wrote = true;
        }
    };
    flag(f.bold, state.bold, "\\b", "\\b0");
    flag(f.italic, state.italic, "\\i", "\\i0");
    flag(f.underline, state.underline, "\\ul", "\\ulnone");
    if (wrote)
        out.put(' ');
}

/// The header and the font table, fonts numbered in order of first use;
/// returns each run's font number.
std::vector<int> writeHeader(Output &out, const Document &doc)
{
    std::vector<const std::string *> fonts;
    std::unordered_map<std::string_view, int> fontIndex;
    std::vector<int> runFont(doc.runs.size());
    for (std::size_t r = 0; r < doc.runs.size(); ++r) {
        const std::string &name = doc.runs[r].format.font;
        auto [it, added] = fontIndex.try_emplace(name, static_cast<int>(fonts.size()));
        if (added)
            fonts.push_back(&name);
        runFont[r] = it->second;
    }

    out.put("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl");
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        out.word("{\\f", static_cast<long long>(f));
        out.put("\\fnil\\fcharset0 ");
        writeFontName(out, *fonts[f]);
        out.put(";}");
    }
    out.put("}\n");
    return runFont;
}

} // namespace

std::string writeRtf(const Document &doc)
{
    const std::u16string &text = doc.text;
    Output out(text.size() + text.size() / 4 + doc.runs.size() * 24 + 256);
    const std::vector<int> runFont = writeHeader(out, doc);

    WriterState state;
    // A link is a HYPERLINK field around its runs; the field's groups scope
    // their formats, so after it the state is what it was before.
    WriterState outside;
    const std::string *link = nullptr;
    const std::string none;
    auto setLink = [&](const std::string &href) {
        if (link && *link == href)
            return;
        if (link) {
            out.put(detail::kCloseHyperlink);
            state = std::exchange(outside, {});
            link = nullptr;
        }
        if (!href.empty()) {
            out.put(detail::openHyperlink(href));
            outside = state;
            link = &href;
        }
    };
    std::size_t pos = 0;
    for (std::size_t r = 0; r < doc.runs.size(); ++r) {
        // Tolerate malformed run lists: never write a unit twice or read past the text.
        const Run &run = doc.runs[r];
        const std::size_t runStart = std::min(run.start, text.size());
        const std::size_t runEnd = runStart + std::min(run.length, text.size() - runStart);
        const std::size_t start = std::max(runStart, pos);
        const std::size_t end = std::max(runEnd, start);
        if (start > pos)
            writeText(out, std::u16string_view(text).substr(pos, start - pos));
        if (end <= start)
            continue;
        setLink(run.format.href);
        writeFormat(out, state, runFont[r], run.format);
        writeText(out, std::u16string_view(text).substr(start, end - start));
        pos = end;
    }
    setLink(none);
    if (pos < text.size())
        writeText(out, std::u16string_view(text).substr(pos));
    // Every paragraph ends with \par, the last one included.
    if (!text.empty())
        out.put("\\par\n");
    out.put("}\n");
    return out.take();
}

} // namespace jw::rtf
