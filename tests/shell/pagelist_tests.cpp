#include "editing/formatsync.h"
#include "pages/pagelist.h"

#include <gtest/gtest.h>

using namespace jw;

namespace {

SettingsEntries entries(std::initializer_list<std::pair<const char *, const char *>> list)
{
    SettingsEntries result;
    for (const auto &[k, v] : list)
        result.append({QString::fromUtf8(k), QString::fromUtf8(v)});
    return result;
}

TEST(StoredNumbers, ConvertLikeTheClassicWholeNumberConversion)
{
    EXPECT_EQ(toInt16(QStringLiteral("3")), std::optional<qint16>(3));
    EXPECT_EQ(toInt16(QStringLiteral(" 12 ")), std::optional<qint16>(12));
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), std::optional<qint16>(2));
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), std::optional<qint16>(4));
    EXPECT_EQ(toInt16(QStringLiteral("32768")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("x")), std::nullopt);
    EXPECT_EQ(toInt16(QString()), std::nullopt);
    EXPECT_EQ(toInt32(QStringLiteral("-1500")), std::optional<qint32>(-1500));
    EXPECT_EQ(toInt32(QStringLiteral("1012.5")), std::optional<qint32>(1012));
    EXPECT_EQ(toInt32(QStringLiteral("1e12")), std::nullopt);
    EXPECT_EQ(toInt32(QStringLiteral("nan")), std::nullopt);
}

TEST(TabCaptions, ConsistentListShowsEveryTitleInItsPlace)
{
    EXPECT_EQ(tabCaptionsFromPageList(entries({{"Ideas", "3"}, {"Welcome", "1"}, {"Notes", "2"}})),
              (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
}

TEST(TabCaptions, BadValuesLeaveTabsWithoutCaption)
{
    const auto captions = tabCaptionsFromPageList(entries({{"Welcome", "1"}, {"Notes", "3"}}));
    ASSERT_EQ(captions.size(), 2);
    EXPECT_EQ(captions[0], QStringLiteral("Welcome"));
    EXPECT_TRUE(captions[1].isEmpty());
    const auto zero = tabCaptionsFromPageList(entries({{"A", "0"}, {"B", "-1"}, {"C", "two"}}));
    EXPECT_EQ(zero, QStringList(3));
}

TEST(TabCaptions, TheLaterOfTwoEntriesWithOnePositionWins)
{
    EXPECT_EQ(tabCaptionsFromPageList(entries({{"A", "1"}, {"B", "1"}})),
              (QStringList{QStringLiteral("B"), QString()}));
}

TEST(FormatSync, SizesRoundHalfToEvenAndUnlistedSizesKeepTheEntry)
{
    const QStringList sizes{QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"),
                            QStringLiteral("12")};
    EXPECT_EQ(roundHalfEven(10.5), 10);
    EXPECT_EQ(roundHalfEven(11.5), 12);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(syncSizeEntry(sizes, 10.5, 0), 3);
    EXPECT_EQ(syncSizeEntry(sizes, 11.5, 0), 4);
    EXPECT_EQ(syncSizeEntry(sizes, 9.0, 1), 1);
    EXPECT_EQ(syncSizeEntry(sizes, std::nullopt, 2), 2);
    EXPECT_EQ(syncSizeEntry(sizes, 1e300, 2), 2);
}

TEST(FormatSync, FontNamesMatchExactlyButTheStartUpDefaultIgnoresCase)
{
    const QStringList fonts{QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"), QStringLiteral("Serif"),
                            QStringLiteral("Arial")};
    EXPECT_EQ(syncFontEntry(fonts, QStringLiteral("Arial"), 2), 3); // the last equal entry wins
    EXPECT_EQ(syncFontEntry(fonts, QStringLiteral("arial"), 2), 2);
    EXPECT_EQ(syncFontEntry(fonts, std::nullopt, 1), 1);
    EXPECT_EQ(startupFontEntry(fonts), 1);
    EXPECT_EQ(startupFontEntry({QStringLiteral("ms sans serif"), QStringLiteral("MS SANS SERIF")}), 1);
    EXPECT_EQ(startupFontEntry({QStringLiteral("DejaVu Sans")}), -1);
}

TEST(FormatSync, ButtonsFollowUniformAttributesOnly)
{
    EXPECT_EQ(syncButtonValue(true, 0), 1);
    EXPECT_EQ(syncButtonValue(false, 1), 0);
    EXPECT_EQ(syncButtonValue(std::nullopt, 1), 1);
    EXPECT_EQ(syncButtonValue(std::nullopt, 0), 0);
}

} // namespace
