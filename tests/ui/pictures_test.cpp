// The drawn pictures: right sizes, transparent ground, distinct contents.
#include "ui/pictures.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

int opaquePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return n;
}

} // namespace

TEST(Pictures, SixteenBySixteenAtOneAndTwoTimes)
{
    const std::function<QPixmap(qreal)> pictures[] = {
        [](qreal d) { return imageListPicture(1, d); }, [](qreal d) { return imageListPicture(2, d); },
        [](qreal d) { return imageListPicture(3, d); }, [](qreal d) { return shrinkPicture(d); },
        [](qreal d) { return expandPicture(d); }};
    for (const auto &picture : pictures) {
        for (qreal dpr : {1.0, 2.0}) {
            const QPixmap p = picture(dpr);
            EXPECT_EQ(p.deviceIndependentSize().toSize(), QSize(16, 16));
            EXPECT_EQ(p.size(), QSize(16, 16) * dpr);
            const QImage image = p.toImage();
            // Transparent ground, something drawn on it.
            EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0);
            const int ink = opaquePixels(image);
            EXPECT_GT(ink, 10 * dpr * dpr);
            EXPECT_LT(ink, image.width() * image.height() * 3 / 4);
        }
    }
}

TEST(Pictures, ImageListOrderIsUnderlineItalicBold)
{
    EXPECT_TRUE(imageListPicture(0).isNull());
    EXPECT_TRUE(imageListPicture(4).isNull());
    const QImage u = imageListPicture(1).toImage();
    const QImage i = imageListPicture(2).toImage();
    const QImage b = imageListPicture(3).toImage();
    EXPECT_NE(u, i);
    EXPECT_NE(i, b);
    // The U's underline is a long run of ink near the bottom; the I's foot is short.
    auto longestBottomRun = [](const QImage &image) {
        int best = 0;
        for (int y = 12; y < 16; ++y) {
            int run = 0;
            for (int x = 0; x < 16; ++x) {
                run = qAlpha(image.pixel(x, y)) > 128 ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    };
    EXPECT_GE(longestBottomRun(u), 10);
    EXPECT_LE(longestBottomRun(i), 7);
    EXPECT_LE(longestBottomRun(b), 9);
    // The I leans right: its ink sits further right at the top than at the bottom.
    auto meanX = [&i](int y0, int y1) {
        double sum = 0;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(i.pixel(x, y)) > 128) {
                    sum += x;
                    ++n;
                }
        return n ? sum / n : 0.0;
    };
    EXPECT_GT(meanX(2, 6), meanX(10, 14) + 1.5);
}

TEST(Pictures, IconsHaveTheirSizes)
{
    const QIcon program = programIcon();
    const QList<QSize> sizes = program.availableSizes();
    for (int s : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
    EXPECT_EQ(programPicture(48).size(), QSize(48, 48));
    EXPECT_FALSE(boldIcon().isNull());
    EXPECT_FALSE(italicIcon().isNull());
    EXPECT_FALSE(underlineIcon().isNull());
    EXPECT_FALSE(shrinkIcon().pixmap(QSize(16, 16)).isNull());
    EXPECT_FALSE(expandIcon().pixmap(QSize(16, 16)).isNull());
}
