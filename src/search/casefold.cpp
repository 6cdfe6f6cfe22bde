#include "search/casefold.h"

#include <QChar>

#include <algorithm>
#include <array>

namespace jw::search {
namespace {

struct FullFolding {
    char16_t from;
    std::array<char16_t, 3> to; ///< 0 ends a shorter folding
};

// The foldings of CaseFolding.txt (Unicode 14) with status F: the ones that
// turn one character into several. Every other character folds to one, as
// QChar::toCaseFolded gives it. Sorted by `from`.
constexpr FullFolding kFullFoldings[] = {
    {0x00DF, {0x0073, 0x0073}},         {0x0130, {0x0069, 0x0307}},         {0x0149, {0x02BC, 0x006E}},
    {0x01F0, {0x006A, 0x030C}},         {0x0390, {0x03B9, 0x0308, 0x0301}}, {0x03B0, {0x03C5, 0x0308, 0x0301}},
    {0x0587, {0x0565, 0x0582}},         {0x1E96, {0x0068, 0x0331}},         {0x1E97, {0x0074, 0x0308}},
    {0x1E98, {0x0077, 0x030A}},         {0x1E99, {0x0079, 0x030A}},         {0x1E9A, {0x0061, 0x02BE}},
    {0x1E9E, {0x0073, 0x0073}},         {0x1F50, {0x03C5, 0x0313}},         {0x1F52, {0x03C5, 0x0313, 0x0300}},
    {0x1F54, {0x03C5, 0x0313, 0x0301}}, {0x1F56, {0x03C5, 0x0313, 0x0342}}, {0x1F80, {0x1F00, 0x03B9}},
    {0x1F81, {0x1F01, 0x03B9}},         {0x1F82, {0x1F02, 0x03B9}},         {0x1F83, {0x1F03, 0x03B9}},
    {0x1F84, {0x1F04, 0x03B9}},         {0x1F85, {0x1F05, 0x03B9}},         {0x1F86, {0x1F06, 0x03B9}},
    {0x1F87, {0x1F07, 0x03B9}},         {0x1F88, {0x1F00, 0x03B9}},         {0x1F89, {0x1F01, 0x03B9}},
    {0x1F8A, {0x1F02, 0x03B9}},         {0x1F8B, {0x1F03, 0x03B9}},         {0x1F8C, {0x1F04, 0x03B9}},
    {0x1F8D, {0x1F05, 0x03B9}},         {0x1F8E, {0x1F06, 0x03B9}},         {0x1F8F, {0x1F07, 0x03B9}},
    {0x1F90, {0x1F20, 0x03B9}},         {0x1F91, {0x1F21, 0x03B9}},         {0x1F92, {0x1F22, 0x03B9}},
    {0x1F93, {0x1F23, 0x03B9}},         {0x1F94, {0x1F24, 0x03B9}},         {0x1F95, {0x1F25, 0x03B9}},
    {0x1F96, {0x1F26, 0x03B9}},         {0x1F97, {0x1F27, 0x03B9}},         {0x1F98, {0x1F20, 0x03B9}},
    {0x1F99, {0x1F21, 0x03B9}},         {0x1F9A, {0x1F22, 0x03B9}},         {0x1F9B, {0x1F23, 0x03B9}},
    {0x1F9C, {0x1F24, 0x03B9}},         {0x1F9D, {0x1F25, 0x03B9}},         {0x1F9E, {0x1F26, 0x03B9}},
    {0x1F9F, {0x1F27, 0x03B9}},         {0x1FA0, {0x1F60, 0x03B9}},         {0x1FA1, {0x1F61, 0x03B9}},
    {0x1FA2, {0x1F62, 0x03B9}},         {0x1FA3, {0x1F63, 0x03B9}},         {0x1FA4, {0x1F64, 0x03B9}},
    {0x1FA5, {0x1F65, 0x03B9}},         {0x1FA6, {0x1F66, 0x03B9}},         {0x1FA7, {0x1F67, 0x03B9}},
    {0x1FA8, {0x1F60, 0x03B9}},         {0x1FA9, {0x1F61, 0x03B9}},         {0x1FAA, {0x1F62, 0x03B9}},
    {0x1FAB, {0x1F63, 0x03B9}},         {0x1FAC, {0x1F64, 0x03B9}},         {0x1FAD, {0x1F65, 0x03B9}},
    {0x1FAE, {0x1F66, 0x03B9}},         {0x1FAF, {0x1F67, 0x03B9}},         {0x1FB2, {0x1F70, 0x03B9}},
    {0x1FB3, {0x03B1, 0x03B9}},         {0x1FB4, {0x03AC, 0x03B9}},         {0x1FB6, {0x03B1, 0x0342}},
    {0x1FB7, {0x03B1, 0x0342, 0x03B9}}, {0x1FBC, {0x03B1, 0x03B9}},         {0x1FC2, {0x1F74, 0x03B9}},
    {0x1FC3, {0x03B7, 0x03B9}},         {0x1FC4, {0x03AE, 0x03B9}},         {0x1FC6, {0x03B7, 0x0342}},
    {0x1FC7, {0x03B7, 0x0342, 0x03B9}}, {0x1FCC, {0x03B7, 0x03B9}},         {0x1FD2, {0x03B9, 0x0308, 0x0300}},
    {0x1FD3, {0x03B9, 0x0308, 0x0301}}, {0x1FD6, {0x03B9, 0x0342}},         {0x1FD7, {0x03B9, 0x0308, 0x0342}},
    {0x1FE2, {0x03C5, 0x0308, 0x0300}}, {0x1FE3, {0x03C5, 0x0308, 0x0301}}, {0x1FE4, {0x03C1, 0x0313}},
    {0x1FE6, {0x03C5, 0x0342}},         {0x1FE7, {0x03C5, 0x0308, 0x0342}}, {0x1FF2, {0x1F7C, 0x03B9}},
    {0x1FF3, {0x03C9, 0x03B9}},         {0x1FF4, {0x03CE, 0x03B9}},         {0x1FF6, {0x03C9, 0x0342}},
    {0x1FF7, {0x03C9, 0x0342, 0x03B9}}, {0x1FFC, {0x03C9, 0x03B9}},         {0xFB00, {0x0066, 0x0066}},
    {0xFB01, {0x0066, 0x0069}},         {0xFB02, {0x0066, 0x006C}},         {0xFB03, {0x0066, 0x0066, 0x0069}},
    {0xFB04, {0x0066, 0x0066, 0x006C}}, {0xFB05, {0x0073, 0x0074}},         {0xFB06, {0x0073, 0x0074}},
    {0xFB13, {0x0574, 0x0576}},         {0xFB14, {0x0574, 0x0565}},         {0xFB15, {0x0574, 0x056B}},
    {0xFB16, {0x057E, 0x0576}},         {0xFB17, {0x0574, 0x056D}},
};

const FullFolding *fullFolding(char16_t c)
{
    // Every entry lies in one of these ranges; most text never gets near them.
    if (c < 0xDF || (c > 0x587 && c < 0x1E96) || (c > 0x1FFC && c < 0xFB00) || c > 0xFB17)
        return nullptr;
    const auto *end = std::end(kFullFoldings);
    const auto *at = std::lower_bound(std::begin(kFullFoldings), end, c,
                                      [](const FullFolding &f, char16_t key) { return f.from < key; });
    return at != end && at->from == c ? at : nullptr;
}

/// Folds `text` into `out`, calling `expanded(original, length, foldedLength)` at
/// every character that folds longer than itself.
template <class Expanded>
void foldInto(QStringView text, QString &out, Expanded expanded)
{
    const qsizetype n = text.size();
    out.resize(n);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            dst[w++] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            // Astral characters fold to astral ones: same length.
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            dst[w++] = QChar::highSurrogate(folded);
            dst[w++] = QChar::lowSurrogate(folded);
            ++i;
        } else if (const FullFolding *full = fullFolding(c)) {
            const qsizetype length = full->to[2] ? 3 : 2;
            expanded(i, w, length);
            // The folding is longer than the character: make room, with some to spare.
            if (out.size() < w + length + (n - i - 1)) {
                out.resize(w + length + (n - i - 1) + n / 64 + 16);
                dst = reinterpret_cast<char16_t *>(out.data());
            }
            for (qsizetype k = 0; k < length; ++k)
                dst[w++] = full->to[k];
        } else {
            dst[w++] = QChar::toCaseFolded(c);
        }
    }
    out.resize(w);
}

} // namespace

QString foldCase(QStringView text)
{
    QString out;
    foldInto(text, out, [](qsizetype, qsizetype, qsizetype) {});
    return out;
}

FoldedText::FoldedText(QStringView original)
{
    foldInto(original, m_text, [this](qsizetype at, qsizetype folded, qsizetype length) {
        m_expansions.push_back({folded, at, length, 1});
    });
}

qsizetype FoldedText::toOriginal(qsizetype folded) const
{
    // The last expansion that starts at or before `folded`.
    const auto after = std::upper_bound(m_expansions.begin(), m_expansions.end(), folded,
                                        [](qsizetype at, const Expansion &e) { return at < e.folded; });
    if (after == m_expansions.begin())
        return folded;
    const Expansion &e = *std::prev(after);
    if (folded == e.folded)
        return e.original;
    if (folded < e.folded + e.foldedLength)
        return -1;
    return e.original + e.originalLength + (folded - e.folded - e.foldedLength);
}

} // namespace jw::search
