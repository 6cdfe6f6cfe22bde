// The search rule on plain text, without any window.
#include "editing/search.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

using jw::findText;

namespace {

QString s(const char16_t *text) { return QString::fromUtf16(text); }

/// Every match that Find Next would visit, starting with a search from 1.
std::vector<qint64> allMatches(const QString &text, const QString &what)
{
    std::vector<qint64> found;
    qint64 cursor = 0;
    while (const auto p = findText(text, what, cursor + 1)) {
        found.push_back(*p);
        cursor = *p;
    }
    return found;
}

TEST(FindText, IsExactAndCaseSensitive)
{
    // Nine characters: the capital ABC at 2 is no match, the small one at 7 is.
    const QString page = s(u"xABCx abc");
    ASSERT_EQ(page.size(), 9);
    EXPECT_EQ(findText(page, s(u"abc"), 1), 7);
    EXPECT_EQ(findText(page, s(u"ABC"), 1), 2);
    EXPECT_EQ(findText(page, s(u"Abc"), 1), std::nullopt);
    EXPECT_EQ(findText(page, s(u"x a"), 1), 5);
    EXPECT_EQ(findText(page, s(u"xABCx abc"), 1), 1);
    EXPECT_EQ(findText(page, s(u"xABCx abcx"), 1), std::nullopt);
}

TEST(FindText, FindsOverlappingMatchesOneByOne)
{
    EXPECT_EQ(allMatches(s(u"aaaa"), s(u"aa")), (std::vector<qint64>{1, 2, 3}));
    EXPECT_EQ(allMatches(s(u"abababa"), s(u"aba")), (std::vector<qint64>{1, 3, 5}));
}

TEST(FindText, StartsAtTheGivenPositionAndNeverWraps)
{
    const QString page = s(u"abc abc");
    EXPECT_EQ(findText(page, s(u"abc"), 1), 1);
    EXPECT_EQ(findText(page, s(u"abc"), 2), 5);
    EXPECT_EQ(findText(page, s(u"abc"), 5), 5);
    EXPECT_EQ(findText(page, s(u"abc"), 6), std::nullopt);
    // Past the end, and a start before the first character.
    EXPECT_EQ(findText(page, s(u"abc"), 8), std::nullopt);
    EXPECT_EQ(findText(page, s(u"abc"), 1'000'000'000'000), std::nullopt);
    EXPECT_EQ(findText(page, s(u"abc"), 0), 1);
    EXPECT_EQ(findText(page, s(u"abc"), -5), 1);
}

TEST(FindText, EmptyTextOrEmptySearchFindsNothing)
{
    EXPECT_EQ(findText(QString(), s(u"a"), 1), std::nullopt);
    EXPECT_EQ(findText(s(u"abc"), QString(), 1), std::nullopt);
    EXPECT_EQ(findText(s(u"abc"), QString(), 2), std::nullopt);
}

TEST(FindText, LineBreaksCountAsOneCharacter)
{
    // The editor's plain text reads every break as '\n', one position each.
    const QString page = s(u"one\ntwo\nthree two");
    EXPECT_EQ(allMatches(page, s(u"two")), (std::vector<qint64>{5, 15}));
    EXPECT_EQ(findText(page, s(u"one\ntwo"), 1), 1);
}

TEST(FindText, PositionsGoFarBeyondSixteenBits)
{
    QString page(40000, u'x');
    page += s(u"needle");
    page += QString(30000, u'y');
    page += s(u"needle");
    page += QString(70000, u'z');
    page += s(u"needle");
    EXPECT_EQ(allMatches(page, s(u"needle")), (std::vector<qint64>{40001, 70007, 140013}));
    EXPECT_EQ(findText(page, s(u"needle"), 40002), 70007);
    EXPECT_EQ(findText(page, s(u"yneedlez"), 1), 70006);
    EXPECT_EQ(findText(page, s(u"xneedley"), 1), 40000);
    EXPECT_EQ(findText(page, s(u"needlex"), 1), std::nullopt);
    EXPECT_EQ(findText(page, s(u"zneedle"), 70008), 140012);
}

TEST(FindText, CountsUtf16UnitsAndNeverSplitsACharacter)
{
    // U+1F600 takes two units, as it does in the editor's selection.
    const QString page = s(u"\U0001F600abc\U0001F600abc");
    ASSERT_EQ(page.size(), 10);
    EXPECT_EQ(allMatches(page, s(u"abc")), (std::vector<qint64>{3, 8}));
    EXPECT_EQ(allMatches(page, s(u"\U0001F600")), (std::vector<qint64>{1, 6}));
    EXPECT_EQ(findText(page, s(u"c\U0001F600a"), 1), 5);
    // Half a character is not a match: neither its second unit nor its first.
    const QChar high = page.at(0);
    const QChar low = page.at(1);
    EXPECT_EQ(findText(page, QString(low), 1), std::nullopt);
    EXPECT_EQ(findText(page, QString(high), 1), std::nullopt);
    EXPECT_EQ(findText(page, QString(low) + s(u"abc"), 1), std::nullopt);
    // A lone half that is not part of a pair is an ordinary unit.
    const QString lone = s(u"ab") + QString(high) + s(u"cd");
    EXPECT_EQ(findText(lone, QString(high), 1), 3);
}

} // namespace
