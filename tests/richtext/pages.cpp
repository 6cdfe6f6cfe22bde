#include "pages.h"

#include <QString>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace jwtest {

namespace {

char32_t randomCodePoint(std::mt19937 &rng)
{
    // Plain ASCII most often; 0x7FF0..0x8010 is where signed 16-bit \u turns negative.
    static constexpr char32_t ranges[][2] = {{0x20, 0x7E}, {0x20, 0x7E}, {0x20, 0x7E}, {0, 12}, {0x01, 0x1F},
                                             {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x7FF0, 0x8010},
                                             {0x10000, 0x10FFFF}, {0x10000, 0x10FFFF}};
    static constexpr char32_t special[] = {'\\', '{', '}', '\n', '\t', 0x2028, ' ', ';', '?', '-', '0', 0x0D, 0x7F};
    const auto &r = ranges[std::uniform_int_distribution<std::size_t>(0, std::size(ranges) - 1)(rng)];
    const char32_t cp = std::uniform_int_distribution<char32_t>(r[0], r[1])(rng);
    return r[0] == 0 ? special[cp] : cp;
}

} // namespace

jw::rtf::Document randomPage(std::uint32_t seed, std::size_t maxLength)
{
    static const char *const fonts[] = {"Arial", "", "Caf\xC3\xA9 Sans", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E",
                                        "odd;name", "b\\r{a}ce", " spaced ", "Emoji \xF0\x9F\x98\x80"};
    std::mt19937 rng(seed);
    const auto in = [&](std::size_t lo, std::size_t hi) { return std::uniform_int_distribution<std::size_t>(lo, hi)(rng); };
    jw::rtf::Document doc;
    for (std::size_t i = in(0, maxLength); i > 0; --i) {
        const char32_t cp = randomCodePoint(rng);
        if (cp < 0x10000)
            doc.text += static_cast<char16_t>(cp);
        else
            doc.text += {static_cast<char16_t>(0xD7C0 + (cp >> 10)), static_cast<char16_t>(0xDC00 + (cp & 0x3FF))};
    }
    for (std::size_t pos = 0; pos < doc.text.size();) {
        std::size_t len = std::min(in(1, 40), doc.text.size() - pos);
        if (pos + len < doc.text.size() && doc.text[pos + len] >= 0xDC00 && doc.text[pos + len] <= 0xDFFF)
            ++len; // never split a surrogate pair
        const int size = static_cast<int>(in(0, 9) == 0 ? in(1, 3276) : in(12, 72));
        doc.runs.push_back({pos, len, {fonts[in(0, std::size(fonts) - 1)], size, (rng() & 1) != 0,
                                       (rng() & 1) != 0, (rng() & 1) != 0}});
        pos += len;
    }
    jw::rtf::normalizeRuns(doc);
    return doc;
}

std::string runsOf(const jw::rtf::Document &doc)
{
    std::string out;
    for (const jw::rtf::Run &r : doc.runs) {
        out += (out.empty() ? "" : "; ") + std::to_string(r.length) + ':' + r.format.font + ':'
            + std::to_string(r.format.halfPoints) + ':' + (r.format.bold ? "b" : "") + (r.format.italic ? "i" : "")
            + (r.format.underline ? "u" : "");
    }
    return out;
}

jw::rtf::Document page(std::u16string text, std::string_view runs)
{
    jw::rtf::Document doc{std::move(text), {}};
    std::istringstream in{std::string(runs)};
    std::size_t pos = 0;
    for (std::string run; std::getline(in >> std::ws, run, ';');) {
        std::istringstream fields(run);
        std::string length, font, size, flags;
        std::getline(fields, length, ':');
        std::getline(fields, font, ':');
        std::getline(fields, size, ':');
        std::getline(fields, flags);
        const auto has = [&](char c) { return flags.find(c) != std::string::npos; };
        doc.runs.push_back({pos, std::stoul(length), {font, std::stoi(size), has('b'), has('i'), has('u')}});
        pos += doc.runs.back().length;
    }
    return doc;
}

std::string utf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

::testing::AssertionResult wellFormed(const jw::rtf::Document &doc)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        if (r.start != pos || r.length == 0 || (i > 0 && doc.runs[i - 1].format == r.format))
            return ::testing::AssertionFailure() << "run " << i << " of " << runsOf(doc);
        pos += r.length;
    }
    if (pos != doc.text.size())
        return ::testing::AssertionFailure() << "runs cover " << pos << " of " << doc.text.size() << " units";
    return ::testing::AssertionSuccess();
}

} // namespace jwtest

void jw::rtf::PrintTo(const Document &doc, std::ostream *os)
{
    *os << '"' << jwtest::utf8(doc.text) << "\" [" << jwtest::runsOf(doc) << ']';
}
