// The X11 backend on a private X server: real grabs, keys typed by another
// client through XTest.
#include "xclient.h"

#include "hotkeys/qt/hotkey.h"
#include "hotkeys/x11/x11backend.h"
#include "support/qtwait.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QLineEdit>
#include <QtGui/qguiapplication_platform.h>

#include <X11/keysym.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace jw;
using namespace jwtest;

namespace {

constexpr std::uint16_t AllLocks = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;

int appArgc = 1;
char appName[] = "hotkeys_x11_tests";
char *appArgv[] = {appName, nullptr};

X11Backend *makeBackend(QGuiApplication &app)
{
    auto *native = app.nativeInterface<QNativeInterface::QX11Application>();
    return native && native->connection() ? new X11Backend(*native->connection(), app) : nullptr;
}

class X11HotKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(x11, nullptr) << "no X11 connection";
        add("Marker", "Alt+M");
        add("V", "Alt+V");
    }
    HotKey &add(const char *name, const char *keySequence)
    {
        auto &key = keys.emplace_back(std::make_unique<HotKey>(*service, QString::fromUtf8(name), QString()));
        QObject::connect(key.get(), &HotKey::activated, key.get(), [this, name](quint32 time) {
            presses.emplace_back(name);
            times.push_back(time);
        });
        EXPECT_EQ(key->setKeys(QKeySequence::fromString(QString::fromUtf8(keySequence))), HotKeyRefusal::None)
            << keySequence << ": " << key->refusalText().toStdString();
        return *key;
    }
    // Alt+M is typed last: once it arrives, every key before it has been handled.
    bool marked()
    {
        other.chord({XK_Alt_L}, XK_m);
        return waitUntil([&] { return !presses.empty() && presses.back() == "Marker"; });
    }

    std::unique_ptr<QApplication> app = std::make_unique<QApplication>(appArgc, appArgv);
    X11Backend *x11 = makeBackend(*app);
    std::unique_ptr<HotKeyService> service = std::make_unique<HotKeyService>(std::unique_ptr<HotKeyBackend>(x11));
    std::vector<std::unique_ptr<HotKey>> keys;
    std::vector<std::string> presses;
    std::vector<quint32> times;
    XClient other;
};

TEST_F(X11HotKeys, AltVIsOnePressWhateverTheLocksAndOnlyWithExactlyItsModifiersAndComesWithTheServerTime)
{
    add("Shifted", "Alt+Shift+V");
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
    EXPECT_EQ(presses, (std::vector<std::string>{"V", "V", "V", "Shifted", "Marker"}));
    // The server's times: rising, none 0.
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()) && times.front() != 0);
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
    EXPECT_EQ(presses, (std::vector<std::string>{"V", "Marker"}));

    // Press times (< 0: a release) and the presses they make.
    const std::pair<std::vector<int>, std::size_t> cases[] = {
        {{100, 150, 160, 1160}, 1}, {{100, -200, 200, -230, 230}, 1}, {{100, -200, 201}, 2}, {{100, 1101}, 2}};
    for (std::uint32_t start = 1u << 31; const auto &[stamps, count] : cases) {
        presses.clear();
        start += 10000;
        for (const int t : stamps) {
            xcb_key_press_event_t event{};
            event.response_type = t > 0 ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
            event.detail = other.keycode(XK_v);
            event.time = start + std::abs(t);
            event.state = XCB_MOD_MASK_1;
            event.same_screen = 1;
            QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, nullptr);
        }
        EXPECT_EQ(presses.size(), count) << start;
    }
}

TEST_F(X11HotKeys, CombinationHasOneOwnerUntilReleased)
{
    ASSERT_TRUE(other.grab(XCB_MOD_MASK_1, XK_b));
    HotKey taken(*service, QStringLiteral("Taken"), {});
    EXPECT_EQ(taken.setKeys(QKeySequence(Qt::ALT | Qt::Key_B)), HotKeyRefusal::Taken);
    XClient third; // the lock variants grabbed before the refusal were let go
    EXPECT_TRUE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_b));
    EXPECT_FALSE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_v));
    keys.pop_back(); // Alt+V's key ends
    EXPECT_TRUE(third.grab(XCB_MOD_MASK_1 | AllLocks, XK_v));
}

TEST_F(X11HotKeys, KeysAreMappedFromVirtualKeysAndTheGrabsEndWithTheApplication)
{
    for (const auto &[name, sequence] : {std::pair("Refresh", "Ctrl+Shift+F5"),
                                         {"Help", "Ctrl+F1"},
                                         {"A", "Alt+A"},
                                         {"Nine", "Alt+9"},
                                         {"Left", "Meta+Left"}})
        add(name, sequence);
    other.chord({XK_Control_L, XK_Shift_L}, XK_F5);
    other.chord({XK_Control_L}, XK_F1);
    other.chord({XK_Alt_L}, XK_a);
    other.chord({XK_Super_L}, XK_Left);
    ASSERT_TRUE(marked());
    EXPECT_EQ(presses, (std::vector<std::string>{"Refresh", "Help", "A", "Left", "Marker"}));
    const auto grab = [&](std::int32_t key, std::int32_t modifiers) {
        return x11->grab(99, {"Odd", {}, {}, {key, modifiers}});
    };
    EXPECT_EQ(grab(0x07, 1), (HotKeyAnswer{HotKeyRefusal::NotOnKeyboard}));
    EXPECT_EQ(grab(0x69, 1), (HotKeyAnswer{})); // the keypad's 9 is a key of its own
    EXPECT_EQ(grab(86, 0x100), (HotKeyAnswer{HotKeyRefusal::Invalid}));

    // The service may outlive the application, whose connection ends its grabs.
    app.reset();
    for (int i = 0; i < 2000 && !other.grab(XCB_MOD_MASK_1 | AllLocks, XK_v); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(other.grab(XCB_MOD_MASK_1, XK_v));
    EXPECT_EQ(grab('B', 1), (HotKeyAnswer{HotKeyRefusal::Failed, "The connection to the X display is closed."}));
    keys.clear();
}

} // namespace
