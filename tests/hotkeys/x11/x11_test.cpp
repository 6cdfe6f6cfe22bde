// The X11 backend on a private X server: real grabs, keys typed by another
// client through XTest.
#include "../presslog.h"
#include "xclient.h"

#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "hotkeys/x11/x11backend.h"
#include "support/qtwait.h"

#include <QAbstractEventDispatcher>
#include <QLineEdit>

#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace jw;
using namespace jwtest;

namespace {

const Press AltV{"JotwellVisible", 1, 86};
const Press AltM{"Marker", 1, 'M'}; // typed last: once it arrives, every key before it has been handled
constexpr std::uint16_t AllLocks = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;

int appArgc = 1;
char appName[] = "hotkeys_x11_tests";
char *appArgv[] = {appName, nullptr};

class X11HotKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(x11, nullptr) << "the X11 backend was not chosen";
        registry->RegisterKey("Marker", 'M', 1);
        registry->RegisterKey("JotwellVisible", 86, 1);
    }
    static std::unique_ptr<cRegHotKey> makeRegistry(Presses &log, QWidget &window,
                                                    std::unique_ptr<HotKeyBackend> backend = createHotKeyBackend())
    {
        auto made = std::make_unique<cRegHotKey>(std::move(backend));
        recordPresses(*made, log);
        made->Attach(static_cast<std::intptr_t>(window.winId()));
        return made;
    }
    bool marked()
    {
        other.chord({XK_Alt_L}, XK_m);
        return waitUntil([&] { return !presses.empty() && presses.back() == AltM; });
    }

    std::unique_ptr<QApplication> app = std::make_unique<QApplication>(appArgc, appArgv);
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    std::unique_ptr<HotKeyBackend> backend = createHotKeyBackend();
    X11Backend *x11 = dynamic_cast<X11Backend *>(backend.get());
    Presses presses;
    std::unique_ptr<cRegHotKey> registry = makeRegistry(presses, *window, std::move(backend));
    XClient other;
};

TEST_F(X11HotKeys, AltVIsOnePressWhateverTheLocksAndOnlyWithExactlyItsModifiers)
{
    registry->RegisterKey("Shifted", 86, 1 | 4);
    QLineEdit edit; // other keys still reach the program's windows
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit, 20000));
    other.chord({}, XK_v);
    EXPECT_TRUE(waitUntil([&] { return edit.text() == QStringLiteral("v"); }));
    other.chord({XK_Alt_L}, XK_v);
    for (const std::uint32_t lock : {XK_Num_Lock, XK_Caps_Lock}) {
        other.chord({}, lock);
        other.chord({XK_Alt_L}, XK_v);
    }
    other.chord({XK_Control_L, XK_Alt_L}, XK_v);
    other.chord({XK_Shift_L, XK_Alt_L}, XK_v);
    other.chord({XK_Alt_L}, XK_b);
    EXPECT_TRUE(marked());
    EXPECT_EQ(presses, (Presses{AltV, AltV, AltV, {"Shifted", 5, 86}, AltM}));
    other.chord({}, XK_Num_Lock); // leave the locks off for the next test
    other.chord({}, XK_Caps_Lock);
}

// Auto-repeat comes as presses without releases, or as a release and a press
// stamped alike: the server's own, then both kinds fed in as it sends them.
TEST_F(X11HotKeys, HeldKeyIsOnePress)
{
    other.press(XK_Alt_L);
    other.press(XK_v);
    const bool repeated = waitUntil([&] { return x11->repeatsSuppressed() >= 3; });
    other.release(XK_v);
    other.release(XK_Alt_L);
    ASSERT_TRUE(repeated) << "the server did not auto-repeat the held key";
    ASSERT_TRUE(marked());
    EXPECT_EQ(presses, (Presses{AltV, AltM}));

    const struct {
        std::vector<int> times;
        std::size_t count;
    } cases[] = {// < 0: a release
                 {{100, 150, 160, 1160}, 1},
                 {{100, -200, 200, -230, 230}, 1},
                 {{100, -200, 201}, 2},
                 {{100, 1101}, 2}};
    for (std::uint32_t start = 1u << 31; const auto &c : cases) {
        presses.clear();
        start += 10000;
        for (const int t : c.times) {
            xcb_key_press_event_t event{static_cast<std::uint8_t>(t > 0 ? XCB_KEY_PRESS : XCB_KEY_RELEASE),
                                        other.keycode(XK_v),
                                        0,
                                        start + std::abs(t),
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        XCB_MOD_MASK_1,
                                        1,
                                        0};
            QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, nullptr);
        }
        EXPECT_EQ(presses.size(), c.count) << start;
    }
}

TEST_F(X11HotKeys, CombinationHasOneOwnerUntilReleased)
{
    ASSERT_TRUE(other.grab(XCB_MOD_MASK_1, XK_b));
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Taken", 'B', 1); }).description(),
              "Failed to Register Hot Key [Hot key is already registered by another program or registration.]");
    EXPECT_EQ(x11->atoms().size(), 2u);
    XClient third; // the lock variants grabbed before the refusal were let go
    EXPECT_TRUE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_b));
    EXPECT_FALSE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_v));

    // Against this program too; and keys registered while detached reach nobody.
    Presses secondPresses;
    QWidget secondWindow;
    auto second = makeRegistry(secondPresses, secondWindow);
    EXPECT_THROW(second->RegisterKey("Mine", 86, 1), HotKeyError);
    registry->Attach(0);
    registry->RegisterKey("Detached", 'N', 1);
    second->RegisterKey("Mine", 86, 1);
    other.chord({XK_Alt_L}, XK_n);
    other.chord({XK_Alt_L}, XK_v);
    ASSERT_TRUE(waitUntil([&] { return secondPresses.size() == 1; }));
    EXPECT_TRUE(presses.empty());
    second.reset();
    EXPECT_TRUE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_v));
}

TEST_F(X11HotKeys, KeysAreMappedFromVirtualKeysAndTheGrabsEndWithTheApplication)
{
    registry->RegisterKey("Refresh", 0x74, 2 | 4); // Ctrl+Shift+F5
    registry->RegisterKey("A", 'A', 1);
    registry->RegisterKey("Nine", '9', 1);
    registry->RegisterKey("Keypad 9", 0x69, 1);
    registry->RegisterKey("Left", 0x25, 8); // Win+Left
    other.chord({XK_Control_L, XK_Shift_L}, XK_F5);
    other.chord({XK_Alt_L}, XK_a);
    other.chord({XK_Super_L}, XK_Left);
    ASSERT_TRUE(marked());
    EXPECT_EQ(presses, (Presses{{"Refresh", 6, 0x74}, {"A", 1, 'A'}, {"Left", 8, 0x25}, AltM}));
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("None", 0x07, 1); }).description(),
              "Failed to Register Hot Key [The key is not on the current keyboard layout.]");
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Odd", 86, 0x100); }).description(),
              "Failed to Register Hot Key [The parameter is incorrect.]");

    // The registry may outlive the application, whose connection ends its grabs.
    window.reset();
    app.reset();
    for (int i = 0; i < 2000 && !other.grab(XCB_MOD_MASK_1 | AllLocks, XK_v); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(other.grab(XCB_MOD_MASK_1, XK_v));
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Later", 'B', 1); }).description(),
              "Failed to Register Hot Key [The connection to the X display is closed.]");
}

} // namespace
