#include "base/placement.h"

#include <gtest/gtest.h>

using namespace jw;

namespace {

// A 1024 x 768 screen at 96 DPI.
constexpr double kScreenW = 15360;
constexpr double kScreenH = 11520;

TEST(TwipsText, WholeAndFractionalValuesWithoutExponent)
{
    EXPECT_EQ(twipsText(1500), QStringLiteral("1500"));
    EXPECT_EQ(twipsText(-15), QStringLiteral("-15"));
    EXPECT_EQ(twipsText(0), QStringLiteral("0"));
    EXPECT_EQ(twipsText(1012.5), QStringLiteral("1012.5"));
    EXPECT_EQ(twipsText(123456789), QStringLiteral("123456792")); // what a single-precision value holds
    EXPECT_FALSE(twipsText(1234.56789).contains(QLatin1Char('e')));
}

TEST(ExpandPlacement, UpperLeftTakesTheMiniCornerAndRemembersNothing)
{
    const auto p = expandPlacement({1500, 3000}, kScreenW, kScreenH);
    EXPECT_EQ(p.main, (Corner{1500, 3000}));
    EXPECT_EQ(p.rememberTop, 0);
    EXPECT_EQ(p.rememberLeft, 0);
}

TEST(ExpandPlacement, NearTheRightEdgeMovesLeftAndRemembersLeft)
{
    const double left = kScreenW - 4770 + 15;
    const auto p = expandPlacement({1500, left}, kScreenW, kScreenH);
    EXPECT_EQ(p.main, (Corner{1500, kScreenW - 4770}));
    EXPECT_EQ(p.rememberTop, 0);
    EXPECT_EQ(p.rememberLeft, static_cast<qint32>(left));
}

TEST(ExpandPlacement, NearTheBottomEdgeMovesUpAndRemembersTop)
{
    const double top = kScreenH - 4350 + 15;
    const auto p = expandPlacement({top, 300}, kScreenW, kScreenH);
    EXPECT_EQ(p.main, (Corner{kScreenH - 4350, 300}));
    EXPECT_EQ(p.rememberTop, static_cast<qint32>(top));
    EXPECT_EQ(p.rememberLeft, 0);
}

TEST(ExpandPlacement, BothEdgesAndTheExactBoundaries)
{
    const auto both = expandPlacement({kScreenH - 300, kScreenW - 1605}, kScreenW, kScreenH);
    EXPECT_EQ(both.main, (Corner{kScreenH - 4350, kScreenW - 4770}));
    EXPECT_EQ(both.rememberTop, static_cast<qint32>(kScreenH - 300));
    EXPECT_EQ(both.rememberLeft, static_cast<qint32>(kScreenW - 1605));
    // Exactly on the boundary the main window still takes the mini window's corner.
    const auto edge = expandPlacement({kScreenH - 4350, kScreenW - 4770}, kScreenW, kScreenH);
    EXPECT_EQ(edge.main, (Corner{kScreenH - 4350, kScreenW - 4770}));
    EXPECT_EQ(edge.rememberTop, 0);
    EXPECT_EQ(edge.rememberLeft, 0);
}

TEST(ShrinkPlacement, RememberedCornerIsUsedOnceThenTheMainCorner)
{
    qint32 iTop = 0;
    qint32 iLeft = 0;
    const auto expand = expandPlacement({kScreenH - 300, kScreenW - 1605}, kScreenW, kScreenH);
    iTop = expand.rememberTop;
    iLeft = expand.rememberLeft;
    const Corner main = expand.main;
    EXPECT_EQ(shrinkPlacement(main, iTop, iLeft), (Corner{kScreenH - 300, kScreenW - 1605}));
    EXPECT_EQ(iTop, 0);
    EXPECT_EQ(iLeft, 0);
    EXPECT_EQ(shrinkPlacement(main, iTop, iLeft), main);
}

TEST(ShrinkPlacement, OnlyTheRememberedTopWhenOnlyTheBottomEdgeWasNear)
{
    qint32 iTop = 9000;
    qint32 iLeft = 0;
    EXPECT_EQ(shrinkPlacement({7000, 450}, iTop, iLeft), (Corner{9000, 450}));
    EXPECT_EQ(iTop, 0);
}

TEST(DialogPlacement, LeftBoundaryAt4000)
{
    EXPECT_EQ(dialogPlacement({1000, 3999}, kScreenH).left, 3999 + 4770);
    EXPECT_EQ(dialogPlacement({1000, 4000}, kScreenH).left, 0);
    EXPECT_EQ(dialogPlacement({1000, 9000}, kScreenH).left, 5000);
    EXPECT_EQ(dialogPlacement({1000, -600}, kScreenH).left, -600 + 4770);
}

TEST(DialogPlacement, BottomBoundaryAtScreenHeightLess1725)
{
    EXPECT_EQ(dialogPlacement({kScreenH - 1725, 0}, kScreenH).top, kScreenH - 1725);
    EXPECT_EQ(dialogPlacement({kScreenH - 1724, 0}, kScreenH).top, kScreenH - 1724 - 765);
}

TEST(AboutPlacement, NearTheBottomTheBoxOpensHigher)
{
    EXPECT_EQ(aboutPlacement({kScreenH - 3930, 700}, kScreenH), (Corner{kScreenH - 3930, 700}));
    EXPECT_EQ(aboutPlacement({kScreenH - 3000, 700}, kScreenH), (Corner{kScreenH - 3000 + 960 - 3930, 700}));
}

} // namespace
