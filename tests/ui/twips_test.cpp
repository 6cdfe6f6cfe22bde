// Twips at the screen's logical DPI.
#include "ui/twips.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace jw::ui;

TEST(Twips, ConversionFollowsTheScreenDpi)
{
    QWidget w;
    const double dpiX = w.screen()->logicalDotsPerInchX();
    const double dpiY = w.screen()->logicalDotsPerInchY();
    EXPECT_DOUBLE_EQ(twipsPerPixelX(&w), 1440.0 / dpiX);
    EXPECT_DOUBLE_EQ(twipsPerPixelY(&w), 1440.0 / dpiY);
    EXPECT_EQ(toPixelsX(&w, 1440), qRound(dpiX));
    EXPECT_EQ(toPixelsY(&w, 720), qRound(dpiY / 2));
    EXPECT_EQ(toPixelsX(&w, 0), 0);
    EXPECT_DOUBLE_EQ(ScreenWidth(&w), w.screen()->geometry().width() * 1440.0 / dpiX);
    EXPECT_DOUBLE_EQ(ScreenHeight(&w), w.screen()->geometry().height() * 1440.0 / dpiY);
}

TEST(Twips, ChildPlacementAndClientSize)
{
    QWidget window;
    auto *child = new QWidget(&window);
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    setClientSizeTwips(&window, 4680, 4515);
    EXPECT_EQ(window.width(), qRound(4680 / tx));
    EXPECT_EQ(window.height(), qRound(4515 / ty));
    EXPECT_NEAR(ScaleWidth(&window), 4680, tx);
    EXPECT_NEAR(ScaleHeight(&window), 4515, ty);
    placeTwips(child, 0, 840, 4335, 3495);
    EXPECT_EQ(child->geometry(), QRect(0, qRound(840 / ty), qRound(4335 / tx), qRound(3495 / ty)));
    placeTwips(child, 10 * tx, 20 * ty, -5, -1);
    EXPECT_EQ(child->geometry(), QRect(10, 20, 0, 0));
}

TEST(Twips, OuterRectangleOfAShownWindow)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    setLeft(&window, 30 * tx);
    setTop(&window, 40 * ty);
    setWidth(&window, 300 * tx);
    setHeight(&window, 200 * ty);
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame, QRect(30, 40, 300, 200));
    EXPECT_DOUBLE_EQ(Left(&window), 30 * tx);
    EXPECT_DOUBLE_EQ(Top(&window), 40 * ty);
    EXPECT_DOUBLE_EQ(Width(&window), 300 * tx);
    EXPECT_DOUBLE_EQ(Height(&window), 200 * ty);
}

TEST(Twips, MaximizedWindowReportsItsNormalRectangle)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    window.setGeometry(50, 60, 320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect normal = window.frameGeometry();
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    EXPECT_DOUBLE_EQ(Left(&window), normal.x() * tx);
    EXPECT_DOUBLE_EQ(Width(&window), normal.width() * tx);
}
