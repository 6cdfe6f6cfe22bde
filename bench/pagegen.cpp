#include "pagegen.h"

#include <array>
#include <string_view>

namespace jwbench {

namespace {

// splitmix64: fixed across platforms, unlike the std distributions.
struct Rng {
    std::uint64_t s;
    std::uint64_t next()
    {
        std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

constexpr std::array<std::u16string_view, 24> kWords = {
    u"the",
    u"page",
    u"notes",
    u"tab",
    u"window",
    u"quick",
    u"brown",
    u"fox",
    u"jumps",
    u"over",
    u"lazy",
    u"dog",
    u"meeting",
    u"Tuesday",
    u"remember",
    u"{braces}",
    u"back\\slash",
    u"100%",
    u"caf\u00E9",
    u"na\u00EFve",
    u"Gr\u00FC\u00DFe",
    u"\u043F\u0440\u0438\u0432\u0435\u0442",
    u"\u65E5\u672C\u8A9E",
    u"smile\U0001F600",
};
// Weights: the last six (escapes and non-ASCII) appear about one word in eight.
constexpr std::array<std::string_view, 4> kFonts = {"Arial", "Times New Roman", "Courier New", "DejaVu Sans"};
constexpr std::array<int, 6> kSizes = {17, 20, 22, 24, 28, 36};

std::u16string_view pickWord(Rng &rng)
{
    if (rng.below(8) == 0)
        return kWords[15 + rng.below(kWords.size() - 15)];
    return kWords[rng.below(15)];
}

} // namespace

jw::rtf::Document makePage(std::size_t textUnits, std::uint64_t seed)
{
    Rng rng{seed};
    jw::rtf::Document doc;
    doc.text.reserve(textUnits + 64);
    jw::rtf::CharFormat f;
    f.font = kFonts[0];
    std::size_t runStart = 0;
    std::size_t wordsLeftInRun = 1 + rng.below(12);
    std::size_t wordsLeftInPara = 15 + rng.below(45);
    while (doc.text.size() < textUnits) {
        doc.text += pickWord(rng);
        if (--wordsLeftInPara == 0) {
            doc.text += u'\n';
            wordsLeftInPara = 15 + rng.below(45);
        } else {
            const std::size_t r = rng.below(40);
            doc.text += r == 0 ? u'\t' : r == 1 ? u'\u2028' : u' ';
        }
        if (--wordsLeftInRun == 0) {
            doc.runs.push_back(jw::rtf::Run{runStart, doc.text.size() - runStart, f});
            runStart = doc.text.size();
            wordsLeftInRun = 1 + rng.below(12);
            switch (rng.below(6)) {
            case 0: f.bold = !f.bold; break;
            case 1: f.italic = !f.italic; break;
            case 2: f.underline = !f.underline; break;
            case 3: f.font = kFonts[rng.below(kFonts.size())]; break;
            default: f.halfPoints = kSizes[rng.below(kSizes.size())]; break;
            }
        }
    }
    if (runStart < doc.text.size())
        doc.runs.push_back(jw::rtf::Run{runStart, doc.text.size() - runStart, f});
    jw::rtf::normalizeRuns(doc);
    return doc;
}

jw::rtf::Document makePageOfRtfSize(std::size_t rtfBytes)
{
    // Calibrate the RTF-per-character ratio on a sample, then size the page.
    const jw::rtf::Document sample = makePage(64 * 1024);
    const double ratio = double(jw::rtf::writeRtf(sample).size()) / double(sample.text.size());
    return makePage(static_cast<std::size_t>(double(rtfBytes) / ratio));
}

} // namespace jwbench
