// The X11 backend on a private X server: real grabs, keys typed by another
// client through XTest.
#include "../presslog.h"
#include "xclient.h"

#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "hotkeys/x11/x11backend.h"
#include "support/xvfb.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

using namespace jw;
using namespace jwtest;

namespace {

const Press AltV{"JotwellVisible", 1, 86};

class X11HotKeys : public ::testing::Test {
protected:
    static std::unique_ptr<QApplication> makeApplication()
    {
        static int argc = 1;
        static char name[] = "hotkeys_x11_tests";
        static char *argv[] = {name, nullptr};
        return std::make_unique<QApplication>(argc, argv);
    }
    void SetUp() override { ASSERT_NE(x11, nullptr) << "the X11 backend was not chosen"; }
    ~X11HotKeys() override
    {
        if (other.modifierState() & XCB_MOD_MASK_2) // leave the locks off for the next test
            other.chord({}, XK_Num_Lock);
        if (other.modifierState() & XCB_MOD_MASK_LOCK)
            other.chord({}, XK_Caps_Lock);
    }

    static std::unique_ptr<cRegHotKey> makeRegistry(Presses &log, QWidget &window, X11Backend **backend = nullptr)
    {
        std::unique_ptr<HotKeyBackend> made = createHotKeyBackend();
        if (backend)
            *backend = dynamic_cast<X11Backend *>(made.get());
        auto registry = std::make_unique<cRegHotKey>(std::move(made));
        recordPresses(*registry, log);
        registry->Attach(static_cast<std::intptr_t>(window.winId()));
        return registry;
    }
    bool waitFor(const Presses &log, std::size_t count)
    {
        return QTest::qWaitFor([&] { return log.size() >= count; }, 20000);
    }

    std::unique_ptr<QApplication> app = makeApplication();
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    X11Backend *x11 = nullptr;
    Presses presses;
    std::unique_ptr<cRegHotKey> registry = makeRegistry(presses, *window, &x11);
    XClient other;
};

TEST_F(X11HotKeys, AltVIsOnePressWhateverTheLocksAndOnlyWithExactlyItsModifiers)
{
    registry->RegisterKey("Shifted", 86, 1 | 4);
    registry->RegisterKey("JotwellVisible", 86, 1);
    other.chord({XK_Alt_L}, XK_v);
    ASSERT_TRUE(waitFor(presses, 1));
    for (const std::uint32_t lock : {XK_Num_Lock, XK_Caps_Lock}) {
        other.chord({}, lock);
        other.chord({XK_Alt_L}, XK_v);
    }
    ASSERT_EQ(other.modifierState() & (XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK), XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK);
    other.chord({}, XK_v);
    other.chord({XK_Control_L, XK_Alt_L}, XK_v);
    other.chord({XK_Shift_L, XK_Alt_L}, XK_v);
    other.chord({XK_Alt_L}, XK_b);
    other.chord({XK_Alt_L}, XK_v); // events arrive in order: the others came before this one
    ASSERT_TRUE(waitFor(presses, 5));
    QTest::qWait(50);
    EXPECT_EQ(presses, (Presses{AltV, AltV, AltV, {"Shifted", 5, 86}, AltV}));
}

TEST_F(X11HotKeys, HoldingTheKeyIsOnePress)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    other.press(XK_Alt_L);
    other.press(XK_v);
    const bool repeated = QTest::qWaitFor([&] { return x11->repeatsSuppressed() >= 3; }, 20000);
    other.release(XK_v);
    other.release(XK_Alt_L);
    ASSERT_TRUE(repeated) << "the server did not auto-repeat the held key";
    other.chord({XK_Alt_L}, XK_v); // a new press after the release counts again
    ASSERT_TRUE(waitFor(presses, 2));
    QTest::qWait(50);
    EXPECT_EQ(presses, (Presses{AltV, AltV}));
}

TEST_F(X11HotKeys, CombinationAnotherClientHoldsIsRefusedAndNothingStaysGrabbed)
{
    ASSERT_TRUE(other.grab(XCB_MOD_MASK_1, XK_v));
    const HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
    EXPECT_EQ(error.description(),
              "Failed to Register Hot Key [Hot key is already registered by another program or registration.]");
    EXPECT_EQ(error.source(), "hotkeys_x11_tests.cRegHotKey");
    EXPECT_EQ(x11->atoms().size(), 0u);
    XClient third; // the lock variants grabbed before the refusal were let go
    EXPECT_TRUE(third.grab(XCB_MOD_MASK_1 | XCB_MOD_MASK_2, XK_v));
}

TEST_F(X11HotKeys, CombinationIsHeldUntilReleasedEvenAgainstThisProgram)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    EXPECT_FALSE(other.grab(XCB_MOD_MASK_1 | XCB_MOD_MASK_2, XK_v));
    Presses secondPresses;
    QWidget secondWindow;
    auto second = makeRegistry(secondPresses, secondWindow);
    EXPECT_THROW(second->RegisterKey("Mine", 86, 1), HotKeyError);
    registry->UnregisterKey("JotwellVisible");
    second->RegisterKey("Mine", 86, 1);
    other.chord({XK_Alt_L}, XK_v);
    ASSERT_TRUE(waitFor(secondPresses, 1));
    EXPECT_TRUE(presses.empty());
    second.reset();
    EXPECT_TRUE(other.grab(XCB_MOD_MASK_1, XK_v, true));
}

TEST_F(X11HotKeys, OtherKeysStillReachTheProgramsWindows)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit, 20000));
    other.chord({}, XK_v);
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit.text() == QStringLiteral("v"); }, 20000));
}

TEST_F(X11HotKeys, KeysAreMappedFromVirtualKeysAndUnknownOnesRefused)
{
    registry->RegisterKey("Refresh", 0x74, 2 | 4); // Ctrl+Shift+F5
    registry->RegisterKey("Zero", '0', 1);
    registry->RegisterKey("Nine", '9', 1);
    registry->RegisterKey("Z", 'Z', 1);
    registry->RegisterKey("Keypad 9", 0x69, 1);
    registry->RegisterKey("Left", 0x25, 8); // Win+Left
    other.chord({XK_Control_L, XK_Shift_L}, XK_F5);
    other.chord({XK_Alt_L}, XK_0);
    other.chord({XK_Super_L}, XK_Left);
    ASSERT_TRUE(waitFor(presses, 3));
    EXPECT_EQ(presses, (Presses{{"Refresh", 6, 0x74}, {"Zero", 1, '0'}, {"Left", 8, 0x25}}));
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("None", 0x07, 1); }).description(),
              "Failed to Register Hot Key [The key is not on the current keyboard layout.]");
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Odd", 86, 0x100); }).description(),
              "Failed to Register Hot Key [The parameter is incorrect.]");
}

TEST_F(X11HotKeys, PressesOfKeysRegisteredWhileDetachedReachNobody)
{
    registry->Attach(0);
    registry->RegisterKey("JotwellVisible", 86, 1);
    Presses markerPresses; // a second registry tells when the presses have been handled
    QWidget markerWindow;
    auto marker = makeRegistry(markerPresses, markerWindow);
    marker->RegisterKey("Marker", 'B', 1);
    other.chord({XK_Alt_L}, XK_v);
    other.chord({XK_Alt_L}, XK_b);
    ASSERT_TRUE(waitFor(markerPresses, 1));
    EXPECT_TRUE(presses.empty());
}

TEST_F(X11HotKeys, RegistryMayOutliveTheApplication)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    window.reset();
    app.reset(); // closes the connection, and the server drops its grabs
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!other.grab(XCB_MOD_MASK_1, XK_v, true) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(other.grab(XCB_MOD_MASK_1, XK_v, true));
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Later", 'B', 1); }).description(),
              "Failed to Register Hot Key [The connection to the X display is closed.]");
    registry.reset();
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QTemporaryDir home;
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    jwtest::Xvfb server;
    std::string error;
    if (!server.start(error)) {
        std::fprintf(stderr, "hotkeys_x11_tests: %s\n", error.c_str());
        return 1;
    }
    return RUN_ALL_TESTS();
}
