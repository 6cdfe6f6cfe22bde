// The keyboard follows the hot key under a real window manager (with-wm.sh):
// another client holds it after a click and some typing; Alt+V shows a
// window of the pad, which gets the keys; Alt+V again hides it, and the keys
// go back to the other client.
#include "xclient.h"

#include "hotkeys/qt/hotkey.h"
#include "hotkeys/qt/hotkeyplatform.h"
#include "hotkeys/qt/windowfocus.h"
#include "hotkeys/x11/x11focus.h"
#include "support/qtwait.h"

#include <QLineEdit>

#include <X11/keysym.h>

#include <gtest/gtest.h>

using namespace jw;
using namespace jwtest;

namespace {

TEST(X11Focus, TheHotKeyBringsTheKeyboardAndGivesItBack)
{
    int argc = 1;
    char name[] = "hotkeys_focus_tests";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const auto service = createHotKeyService();
    const auto focus = createWindowFocus();
    ASSERT_NE(dynamic_cast<X11Focus *>(focus.get()), nullptr);
    HotKey key(*service, QStringLiteral("JotwellVisible"), {});
    ASSERT_EQ(key.setKeys(QKeySequence(Qt::ALT | Qt::Key_V)), HotKeyRefusal::None) << key.refusalText().toStdString();
    QLineEdit pad;
    pad.setWindowTitle(QStringLiteral("pad"));
    pad.resize(300, 100);
    pad.winId();
    QObject::connect(&key, &HotKey::activated, &pad, [&](quint32 time) {
        if (pad.isVisible()) {
            const bool hadKeyboard = QGuiApplication::focusWindow() != nullptr;
            pad.hide();
            focus->returnToOrigin(hadKeyboard, time);
        } else {
            focus->noteOrigin();
            pad.show();
            focus->activate(*pad.windowHandle(), time);
        }
    });

    XClient other;
    const std::uint32_t otherWindow = other.openWindow("jw-other");
    const auto active = [&] { return focus->activeWindow(); };
    ASSERT_TRUE(waitUntil([&] {
        other.click(otherWindow);
        return active() == otherWindow;
    })) << "the other client did not get the keyboard";
    other.chord({}, XK_a);
    other.chord({}, XK_b);

    for (int round = 1; round <= 2; ++round) {
        other.chord({XK_Alt_L}, XK_v);
        EXPECT_TRUE(waitUntil([&] { return active() == pad.winId(); })) << round;
        other.chord({}, XK_x);
        EXPECT_TRUE(waitUntil([&] { return pad.text().size() == round; })) << "typed text is lost";
        other.chord({XK_Alt_L}, XK_v);
        EXPECT_TRUE(waitUntil([&] { return active() == otherWindow; })) << "the keyboard did not go back";
    }
    EXPECT_EQ(pad.text(), QStringLiteral("xx"));

    // Not given back to a window that is gone.
    EXPECT_TRUE(focus->giveBack(otherWindow, 0));
    EXPECT_FALSE(focus->giveBack(0x7ffffff, 0));

    // A launcher's token: the launcher is told that the start is done (its
    // busy cursor stops), in one message of 20-byte parts.
    other.watchStartups();
    const QByteArray token = "launcher-with-a-long-name-1_TIME42";
    focus->useLaunchToken(token);
    focus->activate(*pad.windowHandle(), 0);
    const std::string removed = "remove: ID=\"" + token.toStdString() + "\"|";
    EXPECT_TRUE(waitUntil([&] { return other.startups() == removed; })) << other.startups();
    // The window manager reads the launcher's token and time off the window.
    const auto padWindow = std::uint32_t(pad.winId());
    EXPECT_EQ(other.property(padWindow, "_NET_STARTUP_ID"), token.toStdString());
    const std::uint32_t timeHolder = other.cardinal(padWindow, "_NET_WM_USER_TIME_WINDOW");
    EXPECT_TRUE(
        waitUntil([&] { return other.cardinal(timeHolder ? timeHolder : padWindow, "_NET_WM_USER_TIME") == 42; }));
    focus->activate(*pad.windowHandle(), 0); // a token is used once
    focus->useLaunchToken("n_TIME4");        // a message of exactly 20 bytes still ends with a NUL
    focus->activate(*pad.windowHandle(), 0);
    EXPECT_TRUE(waitUntil([&] { return other.startups() == removed + "remove: ID=\"n_TIME4\"|"; }));
}

TEST(X11Focus, AStartupIdCarriesTheLaunchersTime)
{
    const std::pair<const char *, quint32> cases[] = {
        {"xfce4-launcher-12-host_TIME5567", 5567}, {"id_TIME12_TIME34", 34}, {"id", 0}, {"id_TIMEx", 0}};
    for (const auto &[id, time] : cases)
        EXPECT_EQ(X11Focus::startupTime(id), time) << id;
}

} // namespace
