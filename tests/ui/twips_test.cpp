// Twips at the screen's logical DPI; a window's geometry is its outer frame.
#include "ui/twips.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

using namespace jw::ui;

TEST(Twips, ConversionsFollowTheScreensDpi)
{
    QWidget w;
    const double dpiX = w.screen()->logicalDotsPerInchX();
    const double dpiY = w.screen()->logicalDotsPerInchY();
    EXPECT_DOUBLE_EQ(twipsPerPixelX(&w), 1440 / dpiX);
    EXPECT_DOUBLE_EQ(twipsPerPixelY(&w), 1440 / dpiY);
    for (double twips : {0.0, 1440.0, 720.0, 22.0, 23.0, 37.0, 38.0, -1440.0}) {
        EXPECT_EQ(toPixelsX(&w, twips), std::lround(twips * dpiX / 1440)) << twips;
        EXPECT_EQ(toPixelsY(&w, twips), std::lround(twips * dpiY / 1440)) << twips;
    }
    EXPECT_DOUBLE_EQ(ScreenWidth(&w), w.screen()->geometry().width() * 1440 / dpiX);
    EXPECT_DOUBLE_EQ(ScreenHeight(&w), w.screen()->geometry().height() * 1440 / dpiY);
}

TEST(Twips, ControlsAndWindows)
{
    QWidget window;
    auto *child = new QWidget(&window);
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    setClientSizeTwips(&window, 320 * tx, 240 * ty);
    EXPECT_EQ(window.size(), QSize(320, 240));
    EXPECT_EQ(std::pair(ScaleWidth(&window), ScaleHeight(&window)), std::pair(320 * tx, 240 * ty));
    placeTwips(child, 10 * tx, 20 * ty, 50 * tx, -5);
    EXPECT_EQ(child->geometry(), QRect(10, 20, 50, 0));
    // A control's Left/Top/Width/Height are its place in the window.
    setLeft(child, 7 * tx);
    setTop(child, 8 * ty);
    setWidth(child, 30 * tx);
    setHeight(child, 40 * ty);
    EXPECT_EQ(child->geometry(), QRect(7, 8, 30, 40));
    EXPECT_EQ(std::tuple(Left(child), Top(child), Width(child), Height(child)), std::tuple(7 * tx, 8 * ty, 30 * tx, 40 * ty));

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    setLeft(&window, 30 * tx);
    setTop(&window, 40 * ty);
    setWidth(&window, 300 * tx);
    setHeight(&window, 200 * ty);
    EXPECT_EQ(window.frameGeometry(), QRect(30, 40, 300, 200));
    // A maximized window reports its normal rectangle.
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized() && window.width() > 300; }));
    EXPECT_EQ(std::tuple(Left(&window), Top(&window), Width(&window), Height(&window)), std::tuple(30 * tx, 40 * ty, 300 * tx, 200 * ty));
}
