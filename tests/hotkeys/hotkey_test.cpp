// The hot key API in Qt's terms: which key sequences can be hot keys, the
// refusals and their texts, presses as signals; offscreen, where the desktop
// offers no hot keys.
#include "hotkeys/fake/fakebackend.h"
#include "hotkeys/qt/frmhotkey.h"
#include "hotkeys/qt/hotkey.h"
#include "hotkeys/qt/hotkeyplatform.h"
#include "hotkeys/qt/keychoice.h"
#include "support/qtwait.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace jw;

namespace {

int argc = 1;
char name[] = "hotkeys_qt_tests";
char *argv[] = {name, nullptr};

QKeySequence keys(const char *text) { return QKeySequence::fromString(QString::fromUtf8(text)); }

TEST(HotKey, OneKeyWithAltCtrlOrTheLogoKey)
{
    const std::pair<const char *, std::optional<KeyChord>> cases[] = {
        {"Alt+V", kDefaultHotKey},
        {"Ctrl+Alt+Z", KeyChord{'Z', 0x3}},
        {"Ctrl+Shift+0", KeyChord{'0', 0x6}},
        {"Alt+9", KeyChord{'9', 0x1}},
        {"Meta+F12", KeyChord{0x7B, 0x8}},
        {"Alt+PgDown", KeyChord{0x22, 0x1}},
        {"Ctrl+/", KeyChord{0xBF, 0x2}},
        {"Ctrl+Space", KeyChord{0x20, 0x2}},
        {"V", std::nullopt}, // typing would set it off
        {"Shift+V", std::nullopt},
        {"Alt+V, Alt+W", std::nullopt}, // one combination only
        {"", std::nullopt},
        {"Ctrl+Ä", std::nullopt}, // no key of the backends'
    };
    for (const auto &[text, chord] : cases) {
        QString why;
        EXPECT_EQ(keyChord(keys(text), &why), chord) << text;
        EXPECT_EQ(why.isEmpty(), chord.has_value()) << text;
    }
}

TEST(HotKey, PressesComeWithTheirTimeAndARefusedRequestKeepsTheKeysHeld)
{
    auto *grabs = new FakeBackend, *desktop = new FakeBackend;
    desktop->decideLater();
    grabs->refuse({'J', 3}, {HotKeyRefusal::Taken});
    HotKeyService service{std::unique_ptr<HotKeyBackend>(grabs), std::unique_ptr<HotKeyBackend>(desktop)};
    HotKey key(service, QStringLiteral("JotwellVisible"), QStringLiteral("Show or hide"));
    QSignalSpy activated(&key, &HotKey::activated), answered(&key, &HotKey::answered);
    EXPECT_EQ(key.setKeys(keys("Alt+V")), HotKeyRefusal::None);
    EXPECT_EQ(grabs->held().at(1).keys, "Alt+V");
    const std::tuple<const char *, HotKeyRefusal, const char *> refused[] = {
        {"Shift+V", HotKeyRefusal::Invalid,
         "A hot key needs Alt, Ctrl or the logo key, so that typing never triggers it."},
        {"Ctrl+Alt+J", HotKeyRefusal::Taken, "Hot key is already registered by another program or registration."},
    };
    for (const auto &[chosen, refusal, text] : refused) {
        EXPECT_EQ(key.setKeys(keys(chosen)), refusal);
        EXPECT_EQ(std::pair(key.refusalText(), key.keys()), std::pair(QString::fromUtf8(text), keys("Alt+V")));
    }
    grabs->press(kDefaultHotKey, 4711);
    EXPECT_EQ(std::pair(activated.size(), activated.value(0).value(0).toUInt()), std::pair(qsizetype(1), 4711u));

    EXPECT_EQ(key.askDesktop(keys("Ctrl+Alt+K")), HotKeyRefusal::None);
    EXPECT_TRUE(key.isPending() && grabs->held().empty());
    desktop->decide(3, {HotKeyRefusal::Failed, "the shortcut was not confirmed"});
    EXPECT_EQ(answered.size(), 1);
    EXPECT_EQ(std::make_tuple(key.isPending(), key.keys(), key.refusalText()),
              std::make_tuple(false, QKeySequence(), QStringLiteral("the shortcut was not confirmed")));
}

TEST(HotKey, EveryRefusalHasATextOffscreenNoneIsGivenAndTheDialogTakesACombinationAtOnce)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString why = QStringLiteral("why");
    EXPECT_EQ((QStringList{HotKey::text(HotKeyRefusal::None, why), HotKey::text(HotKeyRefusal::Invalid, why),
                           HotKey::text(HotKeyRefusal::Failed, why)}),
              (QStringList{QString(), why, why}));

    // Offscreen there is no display, and no desktop service to ask.
    const auto service = createHotKeyService();
    HotKey key(*service, QStringLiteral("JotwellVisible"), {});
    EXPECT_EQ(key.setKeys(keys("Alt+V")), HotKeyRefusal::Unsupported);
    EXPECT_EQ(key.refusalText(),
              QStringLiteral("Global hot keys are not available in this desktop session (there is no display)"));
    EXPECT_EQ(key.askDesktop(keys("Alt+V")), HotKeyRefusal::Unsupported);

    // The dialog: Enter right after a combination confirms it; the Alt+V button is a Tab away.
    QStringList applied;
    frmHotKey dialog(nullptr, keys("Ctrl+Alt+K"), [&](const QKeySequence &chosen) {
        applied << chosen.toString();
        return applied.size() == 1 ? QStringLiteral("taken") : QString();
    });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    jwtest::expectLaidOut(dialog);
    auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("txtKeys"));
    ASSERT_TRUE(field && field->hasFocus());
    for (Qt::Key alone : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_Meta})
        QTest::keyClick(field, alone);
    EXPECT_EQ(dialog.keys(), keys("Ctrl+Alt+K")) << "a modifier alone is no key";
    QTest::keyClick(field, Qt::Key_A, Qt::AltModifier); // the Alt+V button's access key is a combination here
    EXPECT_EQ(dialog.keys(), keys("Alt+A"));
    QTest::keySequence(field, QKeySequence(QStringLiteral("Ctrl+Alt+J, Return")));
    EXPECT_EQ(applied, QStringList{QStringLiteral("Ctrl+Alt+J")});
    EXPECT_TRUE(dialog.isVisible()); // refused: the reason is shown
    for (int tab = 0; tab < 4 && !dialog.findChild<QPushButton *>(QStringLiteral("cmdStandard"))->hasFocus(); ++tab)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto *problem = dialog.findChild<QLabel *>(QStringLiteral("lblProblem"));
    EXPECT_EQ(problem->text(), QStringLiteral("taken"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(std::tuple(dialog.keys(), field->text(), problem->text()),
              std::tuple(keys("Alt+V"), QStringLiteral("Alt+V"), QString())); // shown, and the reason goes
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(applied, (QStringList{QStringLiteral("Ctrl+Alt+J"), QStringLiteral("Alt+V")}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
