#include <gtest/gtest.h>

#include "docgen.h"

#include <QString>

#include <random>
#include <stdexcept>

namespace jwtest {

namespace {

char32_t randomCodePoint(std::mt19937 &rng)
{
    auto in = [&](char32_t lo, char32_t hi) {
        return std::uniform_int_distribution<std::uint32_t>(lo, hi)(rng);
    };
    switch (std::uniform_int_distribution<int>(0, 11)(rng)) {
    case 0:
    case 1:
    case 2: return in(0x20, 0x7E);
    case 3: {
        static constexpr char32_t special[] = {'\\', '{', '}', '\n', '\t', 0x2028, ' ', ';', '?', '-', '0', 0x0D, 0x7F};
        return special[in(0, std::size(special) - 1)];
    }
    case 4: return in(0x01, 0x1F);
    case 5: return in(0x80, 0x7FF);
    case 6: return in(0x800, 0xD7FF);
    case 7: return in(0xE000, 0xFFFF);
    case 8: return in(0x7FF0, 0x8010); // where signed 16-bit \u turns negative
    case 9:
    case 10: return in(0x10000, 0x10FFFF);
    default: return in(0x1F300, 0x1F64F);
    }
}

void appendUtf16(std::u16string &out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::string randomFontName(std::mt19937 &rng)
{
    static const char *const names[] = {"Arial", "Times New Roman", "", "DejaVu Sans Mono",
                                        "Caf\xC3\xA9 Sans", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D",
                                        "odd;name", "b\\r{a}ce", " spaced ", "Emoji \xF0\x9F\x98\x80"};
    return names[std::uniform_int_distribution<std::size_t>(0, std::size(names) - 1)(rng)];
}

} // namespace

jw::rtf::Document randomDocument(std::uint32_t seed, std::size_t maxLength)
{
    std::mt19937 rng(seed);
    jw::rtf::Document doc;
    const std::size_t chars = std::uniform_int_distribution<std::size_t>(0, maxLength)(rng);
    for (std::size_t i = 0; i < chars; ++i)
        appendUtf16(doc.text, randomCodePoint(rng));
    std::size_t pos = 0;
    while (pos < doc.text.size()) {
        std::size_t len = std::uniform_int_distribution<std::size_t>(1, 40)(rng);
        len = std::min(len, doc.text.size() - pos);
        // Never split a surrogate pair between runs.
        if (pos + len < doc.text.size() && doc.text[pos + len] >= 0xDC00 && doc.text[pos + len] <= 0xDFFF)
            ++len;
        jw::rtf::Run run;
        run.start = pos;
        run.length = len;
        run.format.font = randomFontName(rng);
        run.format.halfPoints = std::uniform_int_distribution<int>(0, 9)(rng) == 0
            ? std::uniform_int_distribution<int>(1, 3276)(rng)
            : std::uniform_int_distribution<int>(12, 72)(rng);
        run.format.bold = rng() & 1;
        run.format.italic = rng() & 1;
        run.format.underline = rng() & 1;
        doc.runs.push_back(run);
        pos += len;
    }
    jw::rtf::normalizeRuns(doc);
    return doc;
}

std::string utf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

const jw::rtf::CharFormat &formatAt(const jw::rtf::Document &doc, std::size_t pos)
{
    for (const jw::rtf::Run &r : doc.runs)
        if (pos >= r.start && pos < r.start + r.length)
            return r.format;
    throw std::out_of_range("no run covers position " + std::to_string(pos));
}

::testing::AssertionResult wellFormed(const jw::rtf::Document &doc)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        if (r.start != pos)
            return ::testing::AssertionFailure() << "run " << i << " starts at " << r.start << ", expected " << pos;
        if (r.length == 0)
            return ::testing::AssertionFailure() << "run " << i << " is empty";
        if (i > 0 && doc.runs[i - 1].format == r.format)
            return ::testing::AssertionFailure() << "runs " << i - 1 << " and " << i << " share a format";
        pos += r.length;
    }
    if (pos != doc.text.size())
        return ::testing::AssertionFailure() << "runs cover " << pos << " of " << doc.text.size() << " units";
    return ::testing::AssertionSuccess();
}

} // namespace jwtest
