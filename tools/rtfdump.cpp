// rtfdump FILE            prints the page in FILE as one JSON object
// rtfdump --to-rtf FILE   writes the RTF for a page given in that JSON form

#include "richtext/richtext.h"
#include "richtext/unicode.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <sys/mman.h>

using namespace Qt::StringLiterals;

// A 10 MB page makes a text buffer of 20 MB: in 4 KB pages that is thousands
// of page faults, a tenth of the run. Big blocks ask for huge pages instead.
// The blocks stay malloc's, so delete is the usual free.
void *operator new(std::size_t n)
{
    void *p = std::malloc(n > 0 ? n : 1);
    if (!p)
        throw std::bad_alloc();
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    if (n >= 2 * kHuge) {
        const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
        const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(p) + n) & ~(kHuge - 1);
        madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE); // only advice: failure costs nothing
    }
    return p;
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

namespace {

// Standard output (or a string) through one reused buffer, so a big page's
// JSON is never held whole in memory.
class Out final {
public:
    explicit Out(std::string *capture = nullptr) : m_capture(capture) { m_buf.resize(capture ? 256 : 1 << 18); }

    char *room(std::size_t n)
    {
        if (m_used + n > m_buf.size()) {
            flush();
            if (n > m_buf.size())
                m_buf.resize(n);
        }
        return m_buf.data() + m_used;
    }
    void commit(std::size_t n) { m_used += n; }
    void put(char c)
    {
        *room(1) = c;
        commit(1);
    }
    void put(std::string_view s)
    {
        std::memcpy(room(s.size()), s.data(), s.size());
        commit(s.size());
    }
    void number(std::size_t v)
    {
        char *p = room(24);
        commit(static_cast<std::size_t>(std::to_chars(p, p + 24, v).ptr - p));
    }
    void escapedUnit(char16_t u)
    {
        static constexpr char kHex[] = "0123456789abcdef";
        char *p = room(6);
        p[0] = '\\';
        p[1] = 'u';
        for (int k = 0; k < 4; ++k)
            p[2 + k] = kHex[(u >> (12 - 4 * k)) & 0xF];
        commit(6);
    }
    void utf8(char32_t cp)
    {
        char *p = room(4);
        std::size_t n = 0;
        if (cp < 0x800) {
            p[n++] = static_cast<char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            p[n++] = static_cast<char>(0xE0 | (cp >> 12));
            p[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            p[n++] = static_cast<char>(0xF0 | (cp >> 18));
            p[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            p[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        p[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        commit(n);
    }

    bool finish()
    {
        flush();
        return !m_failed && (m_capture || std::fflush(stdout) == 0);
    }

private:
    void flush()
    {
        if (m_capture)
            m_capture->append(m_buf.data(), m_used);
        else if (m_used > 0 && std::fwrite(m_buf.data(), 1, m_used, stdout) != m_used)
            m_failed = true;
        m_used = 0;
    }

    std::string *m_capture;
    std::string m_buf;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// ASCII that goes into a JSON string as it is.
struct SafeTable {
    bool safe[128] = {};
    constexpr SafeTable()
    {
        for (int c = 0x20; c < 0x80; ++c)
            safe[c] = c != '"' && c != '\\';
    }
};
constexpr SafeTable kJsonSafe;

// Writes the unit at s[i], which needs more than a copy; returns the index
// of the last unit it used.
std::size_t jsonUnit(Out &out, std::u16string_view s, std::size_t i)
{
    const char16_t u = s[i];
    switch (u) {
    case u'"': out.put("\\\""); return i;
    case u'\\': out.put("\\\\"); return i;
    case u'\n':
    case u'\u2028': out.put("\\n"); return i; // line breaks are shown as paragraph breaks
    case u'\t': out.put("\\t"); return i;
    case u'\r': out.put("\\r"); return i;
    default: break;
    }
    const bool pair = u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
    if (pair) {
        out.utf8(0x10000 + ((char32_t(u) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
        return i + 1;
    }
    if (u < 0x20 || u == 0x2029 || (u >= 0xD800 && u <= 0xDFFF))
        out.escapedUnit(u); // a lone surrogate half stays visible rather than invent text
    else
        out.utf8(u);
    return i;
}

// How many units from the start of `s` (at least 8 long) go into a JSON
// string as they are, up to 8; they are copied to `p`, and a few more
// bytes may be written past them.
std::size_t copySafe8(const char16_t *s, char *p)
{
#ifdef __SSE2__
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
    // Signed compares work: units past 0x7FFF are negative, so below 0x20.
    const __m128i unsafe = _mm_or_si128(
        _mm_or_si128(_mm_cmplt_epi16(units, _mm_set1_epi16(0x20)), _mm_cmpgt_epi16(units, _mm_set1_epi16(0x7F))),
        _mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16('"')), _mm_cmpeq_epi16(units, _mm_set1_epi16('\\'))));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(p), _mm_packus_epi16(units, units));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(unsafe));
    return mask == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(mask)) / 2;
#else
    std::size_t k = 0;
    while (k < 8 && s[k] < 0x80 && kJsonSafe.safe[s[k]]) {
        p[k] = static_cast<char>(s[k]);
        ++k;
    }
    return k;
#endif
}

void jsonString(Out &out, std::u16string_view s)
{
    out.put('"');
    std::size_t i = 0;
    while (i < s.size()) {
        // Copy what needs no escape, a bounded block at a time.
        const std::size_t block = std::min<std::size_t>(s.size() - i, 4096);
        char *p = out.room(block);
        std::size_t k = 0;
        for (std::size_t n = 8; n == 8 && k + 8 <= block; k += n)
            n = copySafe8(s.data() + i + k, p + k);
        while (k < block && s[i + k] < 0x80 && kJsonSafe.safe[s[i + k]]) {
            p[k] = static_cast<char>(s[i + k]);
            ++k;
        }
        out.commit(k);
        i += k;
        if (k < block)
            i = jsonUnit(out, s, i) + 1;
    }
    out.put('"');
}

void jsonString(Out &out, const std::string &utf8)
{
    const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        return c >= 0x20 && c != '"' && c != '\\'; // ASCII only: char is signed here
    });
    if (plain) {
        out.put('"');
        out.put(utf8);
        out.put('"');
    } else {
        jsonString(out, jw::rtf::detail::utf8ToUtf16Lossy(utf8));
    }
}

// The JSON of a run after its length. It depends only on the format, and a
// page has few formats, so each is made once and kept in a small cache.
class RunTails final {
public:
    const std::string &of(const jw::rtf::CharFormat &f)
    {
        Slot &slot = m_slots[fingerprint(f) % m_slots.size()];
        if (!slot.filled || !(slot.format == f)) {
            slot.format = f;
            slot.tail.clear();
            Out out(&slot.tail);
            render(out, f);
            out.finish();
            slot.filled = true;
        }
        return slot.tail;
    }

private:
    static std::size_t fingerprint(const jw::rtf::CharFormat &f)
    {
        std::size_t h = f.font.size() * 131 + static_cast<std::size_t>(f.halfPoints) * 8 + (f.bold ? 4 : 0)
                        + (f.italic ? 2 : 0) + (f.underline ? 1 : 0);
        if (!f.font.empty())
            h = h * 31 + static_cast<unsigned char>(f.font.front()) * 7 + static_cast<unsigned char>(f.font.back());
        return h;
    }

    static void render(Out &out, const jw::rtf::CharFormat &f)
    {
        out.put(", \"font\": ");
        jsonString(out, f.font);
        out.put(", \"size\": ");
        out.number(static_cast<std::size_t>(std::max(f.halfPoints, 0) / 2));
        if (f.halfPoints % 2 != 0)
            out.put(".5");
        out.put(f.bold ? ", \"bold\": true" : ", \"bold\": false");
        out.put(f.italic ? ", \"italic\": true" : ", \"italic\": false");
        out.put(f.underline ? ", \"underline\": true}" : ", \"underline\": false}");
    }

    struct Slot {
        bool filled = false;
        jw::rtf::CharFormat format;
        std::string tail;
    };
    std::array<Slot, 256> m_slots;
};

void writeJson(Out &out, const jw::rtf::Document &doc)
{
    out.put("{\"text\": ");
    jsonString(out, doc.text);
    out.put(", \"runs\": [");
    RunTails tails;
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        const std::string &tail = tails.of(r.format);
        // One room check per run: a big page has hundreds of thousands.
        char *const begin = out.room(64 + tail.size());
        char *p = begin;
        const auto text = [&p](std::string_view s) { p = std::copy(s.begin(), s.end(), p); };
        text(i > 0 ? ", {\"start\": " : "{\"start\": ");
        p = std::to_chars(p, p + 20, r.start).ptr;
        text(", \"length\": ");
        p = std::to_chars(p, p + 20, r.length).ptr;
        text(tail);
        out.commit(static_cast<std::size_t>(p - begin));
    }
    out.put("]}\n");
}

bool readFile(const char *path, QByteArray &out)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfdump: cannot read %s: %s\n", path, qPrintable(f.errorString()));
        return false;
    }
    out = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "rtfdump: cannot read %s: %s\n", path, qPrintable(f.errorString()));
        return false;
    }
    return true;
}

// Prints the page in `path` as JSON. A regular file is mapped rather than
// copied: on a big page that saves a tenth of the time.
bool dump(const char *path)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfdump: cannot read %s: %s\n", path, qPrintable(f.errorString()));
        return false;
    }
    const qint64 size = f.size();
    const uchar *mapped = size > 0 ? f.map(0, size) : nullptr;
    QByteArray copy;
    if (!mapped && !readFile(path, copy))
        return false;
    const jw::rtf::Document doc = jw::rtf::readRtf(
        mapped ? std::string_view(reinterpret_cast<const char *>(mapped), static_cast<std::size_t>(size))
               : std::string_view(copy.constData(), static_cast<std::size_t>(copy.size())));
    Out out;
    writeJson(out, doc);
    return out.finish();
}

bool fail(const char *path, const char *what)
{
    std::fprintf(stderr, "rtfdump: %s: %s\n", path, what);
    return false;
}

// Builds a document from the JSON form; runs are clipped to the text and
// gaps get the default format.
bool fromJson(const char *path, const QByteArray &bytes, jw::rtf::Document &doc)
{
    QJsonParseError err{};
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError)
        return fail(path, qPrintable(err.errorString()));
    if (!json.isObject())
        return fail(path, "expected a JSON object");
    const QJsonObject root = json.object();
    if (!root.value(u"text"_s).isString())
        return fail(path, "\"text\" must be a string");
    const QString text = root.value(u"text"_s).toString();
    doc.text.assign(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size()));
    const QJsonValue runsValue = root.value(u"runs"_s);
    if (!runsValue.isUndefined() && !runsValue.isArray())
        return fail(path, "\"runs\" must be an array");

    std::vector<jw::rtf::Run> runs;
    for (const QJsonValue &v : runsValue.toArray()) {
        if (!v.isObject())
            return fail(path, "each run must be an object");
        const QJsonObject o = v.toObject();
        const double start = o.value(u"start"_s).toDouble(-1);
        const double length = o.value(u"length"_s).toDouble(-1);
        if (start < 0 || length < 0 || start != std::floor(start) || length != std::floor(length))
            return fail(path, "run start and length must be whole numbers >= 0");
        jw::rtf::Run r;
        r.start = static_cast<std::size_t>(std::min(start, double(doc.text.size())));
        r.length = static_cast<std::size_t>(std::min(length, double(doc.text.size() - r.start)));
        r.format.font = o.value(u"font"_s).toString().toStdString();
        r.format.halfPoints = static_cast<int>(std::lround(o.value(u"size"_s).toDouble(12.0) * 2));
        r.format.bold = o.value(u"bold"_s).toBool();
        r.format.italic = o.value(u"italic"_s).toBool();
        r.format.underline = o.value(u"underline"_s).toBool();
        runs.push_back(std::move(r));
    }
    std::stable_sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) { return a.start < b.start; });
    std::size_t pos = 0;
    for (jw::rtf::Run &r : runs) {
        if (r.start + r.length <= pos)
            continue; // entirely inside an earlier run
        if (r.start > pos)
            doc.runs.push_back(jw::rtf::Run{pos, r.start - pos, {}});
        const std::size_t end = r.start + r.length;
        r.start = std::max(r.start, pos);
        r.length = end - r.start;
        pos = end;
        doc.runs.push_back(std::move(r));
    }
    if (pos < doc.text.size())
        doc.runs.push_back(jw::rtf::Run{pos, doc.text.size() - pos, {}});
    jw::rtf::normalizeRuns(doc);
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: rtfdump FILE\n       rtfdump --to-rtf FILE.json\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--to-rtf") != 0 && argv[1][0] != '-') {
        return dump(argv[1]) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--to-rtf") == 0) {
        QByteArray bytes;
        if (!readFile(argv[2], bytes))
            return 1;
        jw::rtf::Document doc;
        if (!fromJson(argv[2], bytes, doc))
            return 1;
        Out out;
        out.put(jw::rtf::writeRtf(doc));
        return out.finish() ? 0 : 1;
    }
    return usage();
}
