// A window's outer frame goes where it is put, with a real window manager drawing the frame.
#include "ui/twips.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using namespace jw::ui;

TEST(TwipsX11, TheOuterFrameGoesWhereItIsPutBeforeAndAfterMapping)
{
    QWidget window;
    const double tx = twipsPerPixelX(&window);
    const double ty = twipsPerPixelY(&window);
    auto put = [&](QRect r) {
        setLeft(&window, r.x() * tx);
        setTop(&window, r.y() * ty);
        setWidth(&window, r.width() * tx);
        setHeight(&window, r.height() * ty);
    };
    auto holds = [&](QRect r) {
        return QTest::qWaitFor([&] { return window.frameGeometry() == r; }, 10000) &&
               std::tuple(Left(&window), Top(&window), Width(&window), Height(&window)) ==
                   std::tuple(r.x() * tx, r.y() * ty, r.width() * tx, r.height() * ty);
    };
    put({100, 80, 400, 300}); // the frame is not known yet
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowHandle()->frameMargins().top() > 0; }, 10000))
        << "openbox did not frame the window";
    EXPECT_TRUE(holds({100, 80, 400, 300}));
    const QMargins m = window.windowHandle()->frameMargins();
    EXPECT_EQ(window.size(), QSize(400 - m.left() - m.right(), 300 - m.top() - m.bottom()));
    EXPECT_EQ(ScaleHeight(&window), window.height() * ty);
    put({50, 60, 500, 250});
    EXPECT_TRUE(holds({50, 60, 500, 250}));
    // A maximized window reports its normal outer rectangle.
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized() && window.width() > 600; }, 10000));
    EXPECT_NEAR(Left(&window), 50 * tx, 2 * tx);
    EXPECT_NEAR(Width(&window), 500 * tx, 2 * tx);
}
