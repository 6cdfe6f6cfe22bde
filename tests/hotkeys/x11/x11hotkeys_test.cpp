#include "xclient.h"

#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/platformerrors.h"
#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "hotkeys/x11/x11hotkeyplatform.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <X11/keysym.h>

#include <memory>
#include <string>
#include <vector>

namespace jw {
namespace {

struct Press {
    std::string name;
    std::int32_t modifiers;
    std::int32_t key;
    bool operator==(const Press &) const = default;
};

void PrintTo(const Press &p, std::ostream *os)
{
    *os << "(\"" << p.name << "\", " << p.modifiers << ", " << p.key << ")";
}

constexpr std::int32_t VK_V = 86;
constexpr std::int32_t MOD_ALT = 1;

class X11HotKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "hotkeys_x11_tests";
        static char *argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("hot key test"));

        registry = makeRegistry(presses, &x11);
        ASSERT_NE(x11, nullptr) << "createHotKeyPlatform did not pick the X11 backend";
        registry->Attach(static_cast<std::intptr_t>(window->winId()));

        other = std::make_unique<test::XClient>();
        ASSERT_TRUE(other->connected());
    }

    void TearDown() override
    {
        // The tests share one server when run by hand: leave the locks off.
        if (other && other->connected()) {
            if (other->modifierState() & XCB_MOD_MASK_2)
                other->chord({}, XK_Num_Lock);
            if (other->modifierState() & XCB_MOD_MASK_LOCK)
                other->chord({}, XK_Caps_Lock);
        }
        other.reset();
        registry.reset();
        window.reset();
        app.reset();
    }

    static std::unique_ptr<cRegHotKey> makeRegistry(std::vector<Press> &log, X11HotKeyPlatform **backend)
    {
        std::unique_ptr<IHotKeyPlatform> platform = createHotKeyPlatform();
        *backend = dynamic_cast<X11HotKeyPlatform *>(platform.get());
        auto made = std::make_unique<cRegHotKey>(std::move(platform));
        made->HotKeyPress = [&log](const std::string &n, std::int32_t m, std::int32_t k) {
            log.push_back({n, m, k});
        };
        return made;
    }

    bool waitForPresses(std::size_t count)
    {
        return QTest::qWaitFor([&] { return presses.size() >= count; }, 5000);
    }

    void pressAltV() { other->chord({XK_Alt_L}, XK_v); }

    std::unique_ptr<QApplication> app;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<cRegHotKey> registry;
    X11HotKeyPlatform *x11 = nullptr;
    std::unique_ptr<test::XClient> other;
    std::vector<Press> presses;
};

const Press AltV{"JotwellVisible", MOD_ALT, VK_V};

TEST_F(X11HotKeysTest, AltVPressedAnywhereReachesTheHandler)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    pressAltV();
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ(presses, std::vector<Press>{AltV});
}

TEST_F(X11HotKeysTest, AltVIsReceivedWithNumLockAndCapsLockOn)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    other->chord({}, XK_Num_Lock);
    ASSERT_TRUE(other->modifierState() & XCB_MOD_MASK_2) << "NumLock did not lock";
    pressAltV();
    ASSERT_TRUE(waitForPresses(1));

    other->chord({}, XK_Caps_Lock);
    ASSERT_TRUE(other->modifierState() & XCB_MOD_MASK_LOCK) << "CapsLock did not lock";
    pressAltV();
    ASSERT_TRUE(waitForPresses(2));
    EXPECT_EQ(presses, (std::vector<Press>{AltV, AltV}));
}

TEST_F(X11HotKeysTest, OtherCombinationsOfTheKeyRaiseNothing)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    other->chord({}, XK_v);
    other->chord({XK_Control_L, XK_Alt_L}, XK_v);
    other->chord({XK_Shift_L, XK_Alt_L}, XK_v);
    other->chord({XK_Alt_L}, XK_b);
    // Events arrive in order: once Alt+V is in, the others would have been too.
    pressAltV();
    ASSERT_TRUE(waitForPresses(1));
    QTest::qWait(50);
    EXPECT_EQ(presses, std::vector<Press>{AltV});
}

TEST_F(X11HotKeysTest, HoldingTheKeyRaisesOnePress)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    other->press(XK_Alt_L);
    other->press(XK_v);
    // Hold until the server has auto-repeated the key a few times.
    const bool repeated = QTest::qWaitFor([&] { return x11->repeatsSuppressed() >= 3; }, 5000);
    other->release(XK_v);
    other->release(XK_Alt_L);
    ASSERT_TRUE(repeated) << "the server did not auto-repeat the held key";
    ASSERT_TRUE(waitForPresses(1));

    pressAltV(); // a new press after the release counts again
    ASSERT_TRUE(waitForPresses(2));
    QTest::qWait(50);
    EXPECT_EQ(presses, (std::vector<Press>{AltV, AltV}));
}

TEST_F(X11HotKeysTest, CombinationHeldByAnotherClientIsRefusedAndNothingIsLeftBehind)
{
    ASSERT_TRUE(other->grab(XCB_MOD_MASK_1, XK_v));
    try {
        registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
        FAIL() << "registration should be refused";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
        EXPECT_EQ(error.systemError(), platformerror::HotKeyAlreadyRegistered);
        EXPECT_EQ(error.description(),
                  "Failed to Register Hot Key [Hot key is already registered by another program or "
                  "registration.]");
        EXPECT_EQ(error.source(), "hotkeys_x11_tests.cRegHotKey");
    }
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(x11->atoms().size(), 0u);

    // The NumLock/CapsLock variants that were grabbed before the refusal are released.
    other->ungrab(XCB_MOD_MASK_1, XK_v);
    test::XClient third;
    EXPECT_TRUE(third.grabAllVariants(XCB_MOD_MASK_1, XK_v));
}

TEST_F(X11HotKeysTest, AfterClearAnotherClientCanGrabTheCombination)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    EXPECT_FALSE(other->grab(XCB_MOD_MASK_1, XK_v));
    EXPECT_FALSE(other->grab(XCB_MOD_MASK_1 | XCB_MOD_MASK_2, XK_v));

    registry->Clear();
    EXPECT_TRUE(other->grabAllVariants(XCB_MOD_MASK_1, XK_v));
    EXPECT_EQ(x11->atoms().size(), 0u);
}

TEST_F(X11HotKeysTest, SecondRegistryInTheSameProgramCannotTakeTheSameCombination)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    std::vector<Press> secondPresses;
    X11HotKeyPlatform *secondBackend = nullptr;
    auto second = makeRegistry(secondPresses, &secondBackend);
    QWidget secondWindow;
    second->Attach(static_cast<std::intptr_t>(secondWindow.winId()));

    try {
        second->RegisterKey("Mine", VK_V, MOD_ALT);
        FAIL() << "the combination belongs to the first registry";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.systemError(), platformerror::HotKeyAlreadyRegistered);
    }
    second->RegisterKey("Mine", 'B', MOD_ALT);

    other->chord({XK_Alt_L}, XK_b);
    pressAltV();
    ASSERT_TRUE(waitForPresses(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !secondPresses.empty(); }, 5000));
    EXPECT_EQ(presses, std::vector<Press>{AltV});
    EXPECT_EQ(secondPresses, (std::vector<Press>{{"Mine", MOD_ALT, 'B'}}));

    registry->UnregisterKey("JotwellVisible");
    second->RegisterKey("Now mine", VK_V, MOD_ALT);
    EXPECT_FALSE(other->grab(XCB_MOD_MASK_1, XK_v));
}

TEST_F(X11HotKeysTest, FunctionDigitAndNamedKeysAreMapped)
{
    registry->RegisterKey("Refresh", 0x74, 2 | 4); // Ctrl+Shift+F5
    registry->RegisterKey("One", '1', MOD_ALT);
    registry->RegisterKey("Space", 0x20, 2);       // Ctrl+Space
    registry->RegisterKey("Left", 0x25, 8);        // Win+Left
    other->chord({XK_Control_L, XK_Shift_L}, XK_F5);
    other->chord({XK_Alt_L}, XK_1);
    other->chord({XK_Control_L}, XK_space);
    other->chord({XK_Super_L}, XK_Left);
    ASSERT_TRUE(waitForPresses(4));
    EXPECT_EQ(presses, (std::vector<Press>{{"Refresh", 6, 0x74}, {"One", 1, '1'}, {"Space", 2, 0x20},
                                           {"Left", 8, 0x25}}));
}

TEST_F(X11HotKeysTest, KeysTheKeyboardLacksOrUnknownModifiersAreRefused)
{
    try {
        registry->RegisterKey("Nothing", 0x07, MOD_ALT); // an unassigned virtual key
        FAIL() << "unassigned key accepted";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.systemError(), platformerror::KeyNotOnKeyboard);
        EXPECT_EQ(error.description(), "Failed to Register Hot Key [The key is not on the current keyboard layout.]");
    }
    try {
        registry->RegisterKey("Odd", VK_V, 0x100);
        FAIL() << "unknown modifier accepted";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.systemError(), platformerror::InvalidParameter);
    }
    EXPECT_EQ(x11->atoms().size(), 0u);
}

TEST_F(X11HotKeysTest, PressesWhileDetachedReachNobody)
{
    registry->Attach(0);
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);

    // A second, attached registry marks when the presses have been handled.
    std::vector<Press> markerPresses;
    X11HotKeyPlatform *markerBackend = nullptr;
    auto marker = makeRegistry(markerPresses, &markerBackend);
    QWidget markerWindow;
    marker->Attach(static_cast<std::intptr_t>(markerWindow.winId()));
    marker->RegisterKey("Marker", 'B', MOD_ALT);

    pressAltV();
    other->chord({XK_Alt_L}, XK_b);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !markerPresses.empty(); }, 5000));
    EXPECT_TRUE(presses.empty());
}

TEST_F(X11HotKeysTest, RestoreAndActivateShowsAndFocusesTheWindow)
{
    ASSERT_FALSE(window->isVisible());
    registry->RestoreAndActivate(static_cast<std::intptr_t>(window->winId()));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

TEST_F(X11HotKeysTest, RegistryOutlivingTheApplicationDoesNotTouchTheClosedConnection)
{
    registry->RegisterKey("JotwellVisible", VK_V, MOD_ALT);
    window.reset();
    app.reset(); // closes the connection; the server drops its grabs
    EXPECT_TRUE(other->grabAllVariants(XCB_MOD_MASK_1, XK_v));

    try {
        registry->RegisterKey("Later", 'B', MOD_ALT);
        FAIL() << "registration without a display accepted";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.systemError(), platformerror::DisplayClosed);
    }
    registry.reset(); // unregisters without the connection
}

} // namespace
} // namespace jw
