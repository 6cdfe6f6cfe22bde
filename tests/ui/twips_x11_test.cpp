// Outer window geometry with a real window manager drawing frames.
#include "ui/twips.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

/// Waits until the window manager has framed the window.
bool waitForFrame(QWidget &w)
{
    return QTest::qWaitFor([&] {
        const QMargins m = w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins();
        return m.top() > 0;
    }, 10000);
}

} // namespace

TEST(TwipsX11, OuterGeometrySetBeforeMappingHoldsOnceFramed)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    setLeft(&window, 100 * tx);
    setTop(&window, 80 * ty);
    setWidth(&window, 400 * tx);
    setHeight(&window, 300 * ty);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(waitForFrame(window)) << "openbox did not frame the window";
    // The outer size is what was asked for, the client is smaller by the frame.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry() == QRect(100, 80, 400, 300); }, 5000))
        << window.frameGeometry().x() << "," << window.frameGeometry().y() << " " << window.frameGeometry().width()
        << "x" << window.frameGeometry().height();
    const QMargins m = window.windowHandle()->frameMargins();
    EXPECT_EQ(window.size(), QSize(400 - m.left() - m.right(), 300 - m.top() - m.bottom()));
    EXPECT_NEAR(Width(&window), 400 * tx, 0.01);
    EXPECT_NEAR(Height(&window), 300 * ty, 0.01);
    EXPECT_NEAR(Left(&window), window.frameGeometry().x() * tx, 0.01);
    EXPECT_NEAR(Top(&window), window.frameGeometry().y() * ty, 0.01);
    EXPECT_NEAR(ScaleHeight(&window), window.height() * ty, 0.01);
}

TEST(TwipsX11, OuterGeometryOfAFramedWindow)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(waitForFrame(window));
    setLeft(&window, 50 * tx);
    setTop(&window, 60 * ty);
    setWidth(&window, 500 * tx);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QRect f = window.frameGeometry();
        return f.topLeft() == QPoint(50, 60) && f.width() == 500;
    }, 5000)) << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
              << window.frameGeometry().width();
    EXPECT_NEAR(Left(&window), 50 * tx, 0.01);
    EXPECT_NEAR(Top(&window), 60 * ty, 0.01);
    EXPECT_NEAR(Width(&window), 500 * tx, 0.01);
}

TEST(TwipsX11, MaximizedWindowReportsItsNormalOuterRectangle)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    window.setGeometry(120, 110, 320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(waitForFrame(window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(320, 240); }, 5000));
    const QRect normal = window.frameGeometry();
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized() && window.width() > 400; }, 5000));
    EXPECT_NEAR(Width(&window), normal.width() * tx, 2 * tx);
    EXPECT_NEAR(Left(&window), normal.x() * tx, 2 * tx);
}
