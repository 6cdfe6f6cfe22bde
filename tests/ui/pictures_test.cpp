// The pictures drawn from resources/: sharp at any pixel ratio, transparent
// ground, the image list in its order.
#include "ui/pictures.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

// The smallest rectangle holding every pixel with ink, and how many there are.
std::pair<QRect, int> ink(const QImage &image)
{
    QRect box;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
    return {box, count};
}

} // namespace

TEST(Pictures, SmallPicturesAreDrawnAtThePixelRatioAndStaySixteenPixelsOnBiggerButtons)
{
    const QIcon icons[] = {imageListPicture(1), imageListPicture(2), imageListPicture(3), shrinkPicture(),
                           expandPicture()};
    for (const QIcon &icon : icons) {
        ASSERT_FALSE(icon.isNull());
        const QPixmap one = icon.pixmap(QSize(16, 16), 1.0);
        const QPixmap two = icon.pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(two.size(), QSize(32, 32));
        EXPECT_EQ(two.deviceIndependentSize(), QSizeF(16, 16));
        EXPECT_EQ(qAlpha(two.toImage().pixel(0, 31)), 0) << "a transparent ground";
        const int inkOne = ink(one.toImage()).second;
        EXPECT_GT(inkOne, 10);
        EXPECT_LT(inkOne, 16 * 16 * 3 / 4);
        EXPECT_NE(two.toImage(), one.toImage().scaled(32, 32)) << "drawn afresh, not enlarged";
        EXPECT_GT(ink(two.toImage()).second, 2 * inkOne) << "the whole of 32 x 32 is used";

        const QPixmap onBigButton = icon.pixmap(QSize(24, 24), 2.0);
        EXPECT_EQ(onBigButton.size(), QSize(48, 48));
        EXPECT_TRUE(QRect(8, 8, 32, 32).contains(ink(onBigButton.toImage()).first));
        const QImage disabled = icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
        EXPECT_LT(ink(disabled).second, inkOne) << "a disabled picture is fainter";
        QImage button(16, 16, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&button);
        icon.paint(&painter, button.rect(), Qt::AlignCenter, QIcon::Disabled);
        EXPECT_EQ(painter.opacity(), 1.0) << "painting an icon leaves the painter as it was";
    }
}

TEST(Pictures, TheImageListHoldsUnderlineItalicBold)
{
    EXPECT_TRUE(imageListPicture(0).isNull());
    EXPECT_TRUE(imageListPicture(4).isNull());
    const QImage u = imageListPicture(1).pixmap(16).toImage();
    const QImage i = imageListPicture(2).pixmap(16).toImage();
    const QImage b = imageListPicture(3).pixmap(16).toImage();
    // The U is open at the top and has a line under it; the B is closed there.
    EXPECT_EQ(qAlpha(u.pixel(8, 4)), 0);
    EXPECT_GE(ink(u.copy(0, 13, 16, 3)).first.width(), 10);
    EXPECT_GT(qAlpha(b.pixel(8, 3)), 128);
    // The I leans right; the B is the heaviest.
    EXPECT_GT(ink(i.copy(0, 2, 16, 4)).first.center().x(), ink(i.copy(0, 10, 16, 4)).first.center().x() + 1);
    EXPECT_GT(ink(b).second, ink(i).second * 3 / 2);
    EXPECT_GT(ink(b).second, ink(u).second);
}

TEST(Pictures, TheProgramIconAndTheSplashAreDrawn)
{
    const QImage icon = programIcon().pixmap(QSize(48, 48), 2.0).toImage();
    EXPECT_EQ(icon.size(), QSize(96, 96));
    EXPECT_EQ(qAlpha(icon.pixel(0, 95)), 0);
    EXPECT_GT(qAlpha(icon.pixel(48, 48)), 200);

    const QPixmap splash = splashPicture(2.0);
    EXPECT_EQ(splash.size(), QSize(778, 776));
    EXPECT_EQ(splash.deviceIndependentSize(), QSizeF(389, 388));
    const QImage image = splash.toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_NE(image.pixel(0, 0), image.pixel(389, 300)) << "more than a plain ground";
}
