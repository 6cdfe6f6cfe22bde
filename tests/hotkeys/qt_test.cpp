// The Qt glue without a display (offscreen): the refusing backend, and
// RestoreAndActivate on Qt's own windows.
#include "presslog.h"

#include "hotkeys/qt/hotkeyplatformfactory.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <tuple>

using namespace jw;
using namespace jwtest;

namespace {

TEST(HotKeysQt, OffscreenSessionRefusesRegistrationAndSaysWhy)
{
    const HotKeyError error = errorFrom([] { createHotKeyRegistry()->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(std::make_tuple(error.number(), error.description(), error.source()),
              std::make_tuple(cRegHotKey::ErrRegisterRefused,
                              "Failed to Register Hot Key [Global hot keys are not available in this desktop "
                              "session (there is no display)]",
                              "hotkeys_qt_tests.cRegHotKey"));
}

TEST(HotKeysQt, RestoreAndActivateShowsRestoresAndActivatesWidgetsAndPlainWindows)
{
    const auto registry = createHotKeyRegistry();
    QWidget hidden, minimised;
    QWindow plain; // a window that is no widget's
    plain.create();
    registry->RestoreAndActivate(0x7FFFFFF); // no window of ours: nothing happens
    EXPECT_FALSE(plain.isVisible());
    minimised.showMaximized();
    minimised.setWindowState(minimised.windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(minimised.isMinimized());
    for (QWidget *widget : {&hidden, &minimised}) {
        registry->RestoreAndActivate(static_cast<std::intptr_t>(widget->winId()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(widget, 20000));
    }
    EXPECT_TRUE(minimised.isMaximized() && !minimised.isMinimized());
    registry->RestoreAndActivate(static_cast<std::intptr_t>(plain.winId()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&plain, 20000));
    plain.setWindowStates(Qt::WindowMinimized);
    registry->RestoreAndActivate(static_cast<std::intptr_t>(plain.winId()));
    EXPECT_EQ(plain.windowStates(), Qt::WindowNoState);
}

} // namespace
