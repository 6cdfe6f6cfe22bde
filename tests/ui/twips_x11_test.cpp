// Twips at the screen's logical DPI; a window's geometry is its outer frame,
// so these run under a real X server with a window manager drawing frames.
#include "support/qtwait.h"
#include "ui/twips.h"

#include <gtest/gtest.h>

using namespace jw::ui;

TEST(TwipsX11, ControlsArePlacedInTwipsAndWindowsByTheirOuterFrame)
{
    QWidget window;
    auto *child = new QWidget(&window);
    const double tx = twipsPerPixelX(&window), ty = twipsPerPixelY(&window);
    setClientSizeTwips(&window, 320 * tx, 240 * ty);
    EXPECT_EQ(std::pair(ScaleWidth(&window), ScaleHeight(&window)), std::pair(320 * tx, 240 * ty));
    placeTwips(child, 10.4 * tx, 20.6 * ty, 50 * tx, -5); // to the nearest pixel, nothing negative
    EXPECT_EQ(child->geometry(), QRect(10, 21, 50, 0));
    // Left/Top/Width/Height: a control's place in its window, a window's outer frame on the screen.
    auto put = [&](QWidget *w, QRect r) {
        setLeft(w, r.x() * tx);
        setTop(w, r.y() * ty);
        setWidth(w, r.width() * tx);
        setHeight(w, r.height() * ty);
    };
    auto holds = [&](QWidget *w, QRect r) {
        return jwtest::waitUntil([&] { return (w->isWindow() ? w->frameGeometry() : w->geometry()) == r; })
               && std::tuple(Left(w), Top(w), Width(w), Height(w))
                      == std::tuple(r.x() * tx, r.y() * ty, r.width() * tx, r.height() * ty);
    };
    put(child, {7, 8, 30, 40});
    EXPECT_TRUE(holds(child, {7, 8, 30, 40}));
    put(&window, {100, 80, 400, 300}); // the frame is not known yet
    window.show();
    ASSERT_TRUE(jwtest::waitUntil([&] { return window.windowHandle()->frameMargins().top() > 0; }))
        << "openbox did not frame the window";
    EXPECT_TRUE(holds(&window, {100, 80, 400, 300}));
    const QMargins m = window.windowHandle()->frameMargins();
    EXPECT_EQ(window.size(), QSize(400 - m.left() - m.right(), 300 - m.top() - m.bottom()));
    put(&window, {50, 60, 500, 250});
    EXPECT_TRUE(holds(&window, {50, 60, 500, 250}));
    // A maximized window reports its normal outer rectangle.
    window.showMaximized();
    ASSERT_TRUE(jwtest::waitUntil([&] { return window.isMaximized() && window.width() > 600; }));
    EXPECT_NEAR(Left(&window), 50 * tx, 2 * tx);
    EXPECT_NEAR(Width(&window), 500 * tx, 2 * tx);
}
