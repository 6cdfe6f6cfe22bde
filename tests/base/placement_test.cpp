#include "base/placement.h"

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

// A 1024 x 768 screen at 96 DPI.
constexpr double W = 15360;
constexpr double H = 11520;

TEST(StoredNumbers, TwipsTextAndWholeNumbersReadBack)
{
    const std::pair<double, QString> texts[] = {{1500, u"1500"_s},
                                                {-15, u"-15"_s},
                                                {1012.5, u"1012.5"_s},
                                                {123456789, u"123456792"_s}}; // what a single-precision value holds
    for (const auto &[twips, text] : texts)
        EXPECT_EQ(twipsText(twips), text);
    EXPECT_FALSE(twipsText(1234.56789).contains(u'e'));
    const std::pair<QString, std::optional<qint32>> numbers[] = {
        {u" 12 "_s, 12},        {u"10.5"_s, 10},       {u"11.5"_s, 12},
        {u"-3"_s, -3}, // halves to even
        {u"x"_s, std::nullopt}, {u""_s, std::nullopt}, {u"3000000000"_s, std::nullopt}};
    for (const auto &[text, number] : numbers)
        EXPECT_EQ(toInt32(text), number) << text.toStdString();
}

TEST(Placement, ExpandRemembersWhatMovedForOneShrinkAndDialogsStandBesideTheMainWindow)
{
    const std::tuple<Corner, Corner, qint32, qint32> cases[] = {
        // mini, main, the top and left remembered
        {{1500, 3000}, {1500, 3000}, 0, 0},
        {{H - 4350, W - 4770}, {H - 4350, W - 4770}, 0, 0}, // exactly on both boundaries
        {{1500, W - 4755}, {1500, W - 4770}, 0, qint32(W - 4755)},
        {{H - 4335, 300}, {H - 4350, 300}, qint32(H - 4335), 0},
        {{H - 300, W - 1605}, {H - 4350, W - 4770}, qint32(H - 300), qint32(W - 1605)},
    };
    for (const auto &[mini, main, top, left] : cases) {
        const ExpandPlacement p = expandPlacement(mini, W, H);
        EXPECT_EQ(std::tuple(p.main, p.rememberTop, p.rememberLeft), std::tuple(main, top, left))
            << mini.top << "," << mini.left;
    }
    qint32 iTop = 9000, iLeft = 0;
    EXPECT_EQ(shrinkPlacement({7000, 450}, iTop, iLeft), (Corner{9000, 450}));
    EXPECT_EQ(iTop, 0);
    iLeft = 800;
    EXPECT_EQ(shrinkPlacement({7000, 450}, iTop, iLeft), (Corner{7000, 800}));
    EXPECT_EQ(shrinkPlacement({7000, 450}, iTop, iLeft), (Corner{7000, 450}));
    // Beside the frame, right when the dialog fits there, else left; else the fixed offsets.
    const Widths wide{9000, 3000, 15360};
    EXPECT_EQ(dialogPlacement({1000, 3360}, wide, H), (Corner{1000, 12360}));
    EXPECT_EQ(dialogPlacement({1000, 3361}, wide, H), (Corner{1000, 361}));
    const Widths full{15000, 3000, 15360};
    EXPECT_EQ(dialogPlacement({1000, 2999}, full, H), (Corner{1000, 2999 + 4770}));
    EXPECT_EQ(dialogPlacement({H - 1725, 4000}, {15000, 5000, 15360}, H), (Corner{H - 1725, 0}));
    EXPECT_EQ(dialogPlacement({H - 1724, 0}, full, H), (Corner{H - 1724 - 765, 4770}));
    // The help: beside when it fits; else flush with the roomier side's screen edge, within the height.
    EXPECT_EQ(helpPlacement({1000, 3360}, wide, 6000, H), (Corner{1000, 12360}));
    EXPECT_EQ(helpPlacement({1000, 3361}, wide, 6000, H), (Corner{1000, 361}));
    EXPECT_EQ(helpPlacement({H - 100, 200}, {9000, 9600, 15360}, 6000, H), (Corner{H - 6000, 15360 - 9600}));
    EXPECT_EQ(helpPlacement({-50, 7000}, {7000, 9600, 15360}, 6000, H), (Corner{0, 0}));
    EXPECT_EQ(helpPlacement({1000, 0}, {15000, 16000, 15360}, H + 1, H), (Corner{0, 0}));
    EXPECT_EQ(aboutPlacement({H - 3930, 700}, H), (Corner{H - 3930, 700}));
    EXPECT_EQ(aboutPlacement({H - 3000, 700}, H), (Corner{H - 3000 + 960 - 3930, 700}));
}
