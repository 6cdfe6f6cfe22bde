// The search rule and the formatting display rules, without any window.
#include "editing/formatsync.h"
#include "editing/search.h"

#include <gtest/gtest.h>

#include <vector>

using namespace jw;
using namespace Qt::StringLiterals;

TEST(Search, FindTextIsExactForwardNeverSplitsACharacterAndFindNextVisitsOverlappingMatches)
{
    const QString smile = u"\U0001F600"_s;
    // text, what, from, found
    const std::tuple<QString, QString, qint64, std::optional<qint64>> cases[] = {
        {u"xABCx abc"_s, u"abc"_s, 1, 7},
        {u"xABCx abc"_s, u"Abc"_s, 1, std::nullopt},
        {u"xABCx abc"_s, u"xABCx abcx"_s, 1, std::nullopt},
        {u"abc abc"_s, u"abc"_s, 2, 5},
        {u"abc abc"_s, u"abc"_s, 5, 5},
        {u"abc abc"_s, u"abc"_s, 6, std::nullopt}, // no wrap-around
        {u"abc abc"_s, u"abc"_s, 0, 1},
        {u"abc abc"_s, u"abc"_s, 1'000'000'000'000, std::nullopt},
        {u"abc"_s, u""_s, 1, std::nullopt},
        {u""_s, u"a"_s, 1, std::nullopt},
        {u"one\ntwo"_s, u"e\nt"_s, 1, 3},
        {smile + u"abc"_s + smile, u"c"_s + smile, 1, 5}, // UTF-16 units, as the editor counts
        {smile + u"abc"_s, QString(smile.at(1)), 1, std::nullopt},
        {smile + u"abc"_s, QString(smile.at(0)), 1, std::nullopt},
        {u"ab"_s + smile.at(0) + u"cd"_s, QString(smile.at(0)), 1, 3}, // a lone half is a unit
        {QString(70000, u'x') + u"needle"_s, u"xneedle"_s, 2, 70000},
    };
    for (const auto &[text, what, start, found] : cases)
        EXPECT_EQ(findText(text, what, start), found) << text.left(20).toStdString() << " / " << what.toStdString();
    // Find Next visits overlapping matches; the state changes only on success.
    SearchState state;
    EXPECT_FALSE(state.hasSearch());
    EXPECT_FALSE(state.search(u"aaaa"_s, u"b"_s));
    EXPECT_FALSE(state.hasSearch());
    const auto first = state.search(u"aaaa"_s, u"aa"_s);
    ASSERT_TRUE(first);
    EXPECT_EQ(std::pair(first->start, first->length), std::pair(qint64(0), qint64(2)));
    std::vector<qint64> starts;
    while (const auto m = state.next(u"aaaa"_s))
        starts.push_back(m->start);
    EXPECT_EQ(std::pair(starts, state.iCursor()), std::pair(std::vector<qint64>{1, 2}, decltype(state.iCursor())(3)));
    // A failed search keeps the last one; Find Next goes on in whatever text is shown.
    EXPECT_FALSE(state.search(u"aaaa"_s, u"zz"_s));
    EXPECT_EQ(state.vSearch(), u"aa");
    EXPECT_EQ(state.next(u"xxxxaa"_s)->start, 4);
}

TEST(FormatDisplay, BoxesShowTheTruthAndTakeWhatIsTyped)
{
    const QStringList sizes{u"4"_s, u"8"_s, u"10"_s, u"8"_s};
    EXPECT_EQ(sizeEntry(sizes, 8), 3); // the last equal entry wins
    EXPECT_EQ(std::pair(sizeEntry(sizes, 10.5), sizeText(10.5)), std::pair(-1, u"10.5"_s));
    for (const auto &[typed, size] :
         {std::pair(u"9"_s, 9.0), {u" 10.5 "_s, 10.5}, {u"10,5"_s, 10.5}, {u"7.3"_s, 7.5}, {u"1638"_s, 1638.0}})
        EXPECT_EQ(typedSize(typed), size) << typed.toStdString();
    for (const QString &refused : {u"1639"_s, u"0"_s, u"-4"_s, u"big"_s, u""_s, u"inf"_s})
        EXPECT_EQ(typedSize(refused), std::nullopt) << refused.toStdString();
    const QStringList fonts{u"Arial"_s, u"MS Sans Serif"_s, u"arial"_s};
    EXPECT_EQ((QList<int>{typedFontEntry(fonts, u" Arial"_s), typedFontEntry(fonts, u"ARIAL"_s),
                          typedFontEntry(fonts, u"Ari"_s), typedFontEntry(fonts, u""_s)}),
              (QList<int>{0, 2, -1, -1}));
    EXPECT_EQ(plainFontNames({u"Nimbus Sans [urw]"_s, u"Serif"_s, u"Mono [a]"_s, u"Mono [b]"_s, u"Sans [x] Pro"_s}),
              (QStringList{u"Nimbus Sans"_s, u"Serif"_s, u"Mono [a]"_s, u"Mono [b]"_s, u"Sans [x] Pro"_s}));
    EXPECT_EQ(startupFontEntry({u"ms sans serif"_s, u"MS SANS SERIF"_s}), 1);
    EXPECT_EQ(startupFontEntry({u"DejaVu Sans"_s}), -1);
    EXPECT_EQ((QList<int>{syncButtonValue(true, 0), syncButtonValue(false, 1), syncButtonValue(std::nullopt, 1)}),
              (QList<int>{1, 0, 1}));
}
