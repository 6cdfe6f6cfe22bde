#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/platformerrors.h"
#include "hotkeys/qt/hotkeyplatformfactory.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace jw {
namespace {

int g_argc = 1;
char g_name[] = "hotkeys_qt_tests";
char *g_argv[] = {g_name, nullptr};

std::string refusalText(cRegHotKey &registry)
{
    try {
        registry.RegisterKey("JotwellVisible", 86, 1);
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
        EXPECT_EQ(error.systemError(), platformerror::NotSupported);
        return error.description();
    }
    ADD_FAILURE() << "registration was not refused";
    return {};
}

TEST(HotKeyFactory, OffscreenSessionRefusesRegistrationAndSaysWhy)
{
    QApplication app(g_argc, g_argv);
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    cRegHotKey registry(createHotKeyPlatform());
    QWidget window;
    registry.Attach(static_cast<std::intptr_t>(window.winId()));
    EXPECT_EQ(refusalText(registry), "Failed to Register Hot Key [Global hot keys are not available in "
                                     "this desktop session (there is no display)]");
    EXPECT_EQ(registry.count(), 0);
}

TEST(HotKeyFactory, WithoutAGuiApplicationRegistrationIsRefused)
{
    QCoreApplication app(g_argc, g_argv);
    cRegHotKey registry(createHotKeyPlatform());
    EXPECT_EQ(refusalText(registry), "Failed to Register Hot Key [Global hot keys are not available in "
                                     "this desktop session (no graphical application is running)]");
}

TEST(HotKeyFactory, RegistryMayOutliveTheApplication)
{
    auto app = std::make_unique<QApplication>(g_argc, g_argv);
    auto window = std::make_unique<QWidget>();
    const auto hwnd = static_cast<std::intptr_t>(window->winId());
    auto registry = std::make_unique<cRegHotKey>(createHotKeyPlatform());
    registry->Attach(hwnd);
    window.reset();
    app.reset();
    registry->RestoreAndActivate(hwnd); // no window, no application: nothing to do
    EXPECT_FALSE(refusalText(*registry).empty());
    registry.reset();
}

class QtWindowFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<QApplication>(g_argc, g_argv);
        registry = std::make_unique<cRegHotKey>(createHotKeyPlatform());
        window = std::make_unique<QWidget>();
        window->resize(200, 100);
    }
    void TearDown() override
    {
        registry.reset();
        window.reset();
        app.reset();
    }
    std::intptr_t handle() { return static_cast<std::intptr_t>(window->winId()); }

    std::unique_ptr<QApplication> app;
    std::unique_ptr<cRegHotKey> registry;
    std::unique_ptr<QWidget> window;
};

TEST_F(QtWindowFunctionsTest, HiddenWindowIsShownAndActivated)
{
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));

    registry->RestoreAndActivate(handle());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

TEST_F(QtWindowFunctionsTest, MinimisedWindowIsRestoredToItsFormerState)
{
    window->showMaximized();
    window->setWindowState(window->windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(window->isMinimized());

    registry->RestoreAndActivate(handle());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(QtWindowFunctionsTest, PlainQtWindowsAreFoundToo)
{
    QWindow plain;
    plain.resize(100, 100);
    plain.create();
    ASSERT_FALSE(plain.isVisible());
    registry->RestoreAndActivate(static_cast<std::intptr_t>(plain.winId()));
    EXPECT_TRUE(plain.isVisible());
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace jw
