#include "richtext/codepages.h"

#include <cerrno>
#include <iconv.h>
#include <map>

namespace jw::rtf::detail {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// Windows-1252 0x80..0x9F; the five undefined bytes map to themselves as
// Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t cp1252(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b); }

std::string iconvName(int codePage)
{
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 10029: return "MAC-CENTRALEUROPE";
    case 1361: return "JOHAB";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    default: return "CP" + std::to_string(codePage);
    }
}

bool isDoubleByteNumber(int n) { return n == 932 || n == 936 || n == 949 || n == 950 || n == 1361; }

enum class ConvertStatus { Ok, Incomplete, Invalid };

// One descriptor from a Windows code page to UTF-16. This is the only place
// that talks to the platform's converter (iconv here; MultiByteToWideChar
// would slot in on Windows).
class Converter final {
public:
    explicit Converter(int codePage) : m_cd(codePage > 0 ? iconv_open("UTF-16LE", iconvName(codePage).c_str()) : kNone)
    {}
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    ~Converter()
    {
        if (ok())
            iconv_close(m_cd);
    }

    bool ok() const { return m_cd != kNone; }

    // Converts one byte sequence on its own; `out` gets the one character
    // it makes, or U+FFFD when it makes none or several.
    ConvertStatus convert(std::string_view bytes, char16_t &out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char in[4] = {};
        bytes.copy(in, sizeof in);
        char *inPtr = in;
        std::size_t inLeft = bytes.size();
        char buf[16];
        char *outPtr = buf;
        std::size_t outLeft = sizeof buf;
        ConvertStatus status = ConvertStatus::Ok;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            status = errno == EINVAL ? ConvertStatus::Incomplete : ConvertStatus::Invalid;
        // Flush: a combining code page (1258) may hold back its last character.
        if (status == ConvertStatus::Ok)
            iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        const std::size_t produced = sizeof buf - outLeft;
        out =
            produced == 2
                ? static_cast<char16_t>(static_cast<unsigned char>(buf[0]) | (static_cast<unsigned char>(buf[1]) << 8))
                : kReplacement;
        return status;
    }

private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    iconv_t m_cd;
};

} // namespace

CodePage::CodePage(int number) : m_number(number)
{
    if (number == 1252) {
        for (int b = 0; b < 256; ++b)
            m_single[b] = cp1252(static_cast<unsigned char>(b));
        return;
    }
    m_doubleByte = isDoubleByteNumber(number);
    Converter conv(number);
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        char16_t u = kReplacement;
        const ConvertStatus st = conv.ok() ? conv.convert(std::string_view(&byte, 1), u) : ConvertStatus::Invalid;
        if (st == ConvertStatus::Ok) {
            m_single[b] = u;
        } else if (st == ConvertStatus::Incomplete && m_doubleByte) {
            m_lead[b] = true;
            m_single[b] = kReplacement;
        } else {
            m_single[b] = b < 0x80 ? char16_t(b) : kReplacement;
        }
    }
}

CodePage::~CodePage()
{
    for (auto &r : m_rows)
        delete r.load();
}

const CodePage::Row &CodePage::row(unsigned char lead) const
{
    if (const Row *r = m_rows[lead].load(std::memory_order_acquire))
        return *r;
    std::lock_guard lock(m_rowMutex);
    if (const Row *r = m_rows[lead].load(std::memory_order_relaxed))
        return *r;
    auto *r = new Row;
    Converter conv(m_number);
    for (int t = 0; t < 256; ++t) {
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(t)};
        char16_t u = kReplacement;
        (*r)[t] = conv.convert(std::string_view(bytes, 2), u) == ConvertStatus::Ok ? u : kReplacement;
    }
    m_rows[lead].store(r, std::memory_order_release);
    return *r;
}

char16_t CodePage::pair(unsigned char lead, unsigned char trail) const
{
    if (!m_doubleByte || !m_lead[lead])
        return kReplacement;
    return row(lead)[trail];
}

const CodePage *findCodePage(int number)
{
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> known;
    std::lock_guard lock(mutex);
    if (auto it = known.find(number); it != known.end())
        return it->second.get();
    std::unique_ptr<CodePage> page;
    if (number == 1252 || Converter(number).ok())
        page = std::make_unique<CodePage>(number);
    const CodePage *result = page.get();
    // Hostile files can name any number; remember only so many misses.
    if (page || known.size() < 1024)
        known.emplace(number, std::move(page));
    else
        return nullptr;
    return result;
}

const CodePage &codePage(int number)
{
    if (const CodePage *page = findCodePage(number))
        return *page;
    return *findCodePage(1252);
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;   // ANSI
    case 2: return 1252;   // symbol fonts: show the bytes as Latin text
    case 77: return 10000; // Mac Roman
    case 78: return 10001; // Mac Japanese
    case 88: return 10029; // Mac Central European
    case 89: return 10007; // Mac Cyrillic
    case 128: return 932;  // Shift JIS
    case 129: return 949;  // Hangul
    case 130: return 1361; // Johab
    case 134: return 936;  // GB2312
    case 136: return 950;  // Big5
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return -1; // 1 = default charset, and anything unknown
    }
}

std::u16string decodeWindows1252(std::string_view bytes)
{
    std::u16string out;
    out.resize(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i] = cp1252(static_cast<unsigned char>(bytes[i]));
    return out;
}

} // namespace jw::rtf::detail
