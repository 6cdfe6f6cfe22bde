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

std::intptr_t handle(QWidget &window)
{
    return static_cast<std::intptr_t>(window.winId());
}

TEST(HotKeysQt, OffscreenSessionRefusesRegistrationAndSaysWhy)
{
    auto backend = createHotKeyBackend();
    const HotKeyBackend &seen = *backend;
    cRegHotKey registry(std::move(backend));
    const HotKeyError error = errorFrom([&] { registry.RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(std::make_tuple(error.number(), error.description(), error.source()),
              std::make_tuple(cRegHotKey::ErrRegisterRefused,
                              "Failed to Register Hot Key [Global hot keys are not available in this desktop "
                              "session (there is no display)]",
                              "hotkeys_qt_tests.cRegHotKey"));
    EXPECT_EQ(seen.atoms().size(), 0u);
}

TEST(HotKeysQt, RestoreAndActivateShowsRestoresAndActivates)
{
    const auto registry = createHotKeyRegistry();
    QWindow plain; // a window that is no widget's
    plain.create();
    registry->RestoreAndActivate(0x7FFFFFF); // no window of ours: nothing happens
    EXPECT_FALSE(plain.isVisible());
    QWidget hidden;
    QWidget minimised;
    minimised.showMaximized();
    minimised.setWindowState(minimised.windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(minimised.isMinimized());

    registry->RestoreAndActivate(handle(hidden));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&hidden, 20000));
    registry->RestoreAndActivate(handle(minimised));
    EXPECT_FALSE(minimised.isMinimized());
    EXPECT_TRUE(minimised.isMaximized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&minimised, 20000));

    registry->RestoreAndActivate(static_cast<std::intptr_t>(plain.winId()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&plain, 20000));
    plain.setWindowStates(Qt::WindowMinimized);
    registry->RestoreAndActivate(static_cast<std::intptr_t>(plain.winId()));
    EXPECT_EQ(plain.windowStates(), Qt::WindowNoState);
}

} // namespace
