// Spelling over a real editor with real dictionaries: what is marked, the
// right-click menu's mending, Edit > Spelling, and what the settings keep.
#include "support/fakehost.h"
#include "support/qtwait.h"
#include "base/settingsstore.h"
#include "editing/spelling.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <QMenu>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// The marked stretches as "start-end" joined by ' ', once spelling has settled.
QString marks(jw::ui::RichTextEdit &pad, const jw::Spelling &spelling)
{
    // A recompute asks about words not checked yet; settled after one, it marked all it will.
    EXPECT_TRUE(jwtest::waitUntil([&] {
        pad.decorations().flush();
        return spelling.settled();
    }));
    return jwtest::marked(pad);
}

QAction *item(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

bool greyed(const QMenu &menu, const QString &text) { return item(menu, text) && !item(menu, text)->isEnabled(); }

} // namespace

TEST(Spelling, MisspeltWordsAreMarkedAndMendedAddedOrIgnoredFromTheMenuInOneOrTwoLanguages)
{
    jw::SettingsStore store(u"config/jotwell/settings.json"_s);
    store.write(u"Jotwell"_s, u"Spelling"_s, u"Languages"_s, u"en_US"_s);
    jw::ui::RichTextEdit pad;
    pad.resize(500, 300);
    pad.show();
    pad.setText(u"Ths is korrect qwzx\nStra\u00dfe qwzx"_s);
    jwtest::Commands commands;
    jwtest::Host host;
    auto spelling = std::make_unique<jw::Spelling>(commands, pad, store, host);
    EXPECT_EQ(marks(pad, *spelling), u"0-3 7-14 15-19 20-26 27-31"_s);
    const QTextCharFormat look = pad.extraSelections().front().format;
    EXPECT_EQ(std::pair(look.underlineStyle(), look.underlineColor()),
              std::pair(QTextCharFormat::WaveUnderline, QColor(Qt::red)));
    QAction *english = commands.actions.front()->menu()->findChild<QAction *>(u"mnuSpelling_en_US"_s);
    ASSERT_TRUE(english->isChecked());
    english->trigger(); // the last one stays
    EXPECT_EQ(spelling->languages(), QStringList{u"en_US"_s});
    commands.actions.front()->menu()->findChild<QAction *>(u"mnuSpelling_de_DE"_s)->trigger(); // ticks German too
    EXPECT_EQ(marks(pad, *spelling), u"0-3 7-14 15-19 27-31"_s) << "right in either language is right";

    QMenu menu;
    spelling->addMenuItems(menu, 9);
    ASSERT_NE(item(menu, u"correct"_s), nullptr);
    EXPECT_LE(menu.actions().indexOf(item(menu, u"correct"_s)), 6);
    item(menu, u"correct"_s)->trigger();
    EXPECT_EQ(pad.Text(), u"Ths is correct qwzx\nStra\u00dfe qwzx"_s);
    QMenu ths, qwzx, none;
    spelling->addMenuItems(ths, 3);
    spelling->addMenuItems(qwzx, 15);
    spelling->addMenuItems(none, 5);
    EXPECT_TRUE(none.actions().isEmpty());
    item(ths, u"Add to Dictionary"_s)->trigger();
    item(qwzx, u"Ignore All"_s)->trigger();
    EXPECT_EQ(marks(pad, *spelling), QString()) << "also in a paragraph left as it was";
    EXPECT_EQ(jw::readWordList(u"config/jotwell/words.txt"_s), QStringList{u"Ths"_s});

    QAction *onOff = commands.actions.front()->menu()->findChild<QAction *>(u"mnuSpellingOn"_s);
    ASSERT_NE(onOff, nullptr);
    pad.setText(u"Anothr page"_s);
    EXPECT_EQ(marks(pad, *spelling), u"0-6"_s);
    onOff->trigger();
    EXPECT_EQ(marks(pad, *spelling), QString());
    EXPECT_TRUE(host.told.isEmpty());

    // The next run takes the choices from the settings, and the user's words from the list.
    spelling.reset();
    spelling = std::make_unique<jw::Spelling>(commands, pad, store, host);
    EXPECT_FALSE(spelling->enabled());
    EXPECT_EQ(spelling->languages(), (QStringList{u"de_DE"_s, u"en_US"_s}));
    pad.setText(u"Ths qwzx"_s);
    spelling->setEnabled(true);
    EXPECT_TRUE(commands.actions.back()->menu()->findChild<QAction *>(u"mnuSpellingOn"_s)->isChecked());
    EXPECT_EQ(marks(pad, *spelling), u"4-8"_s) << "ignored only for the run";
    // Of one long paragraph only the words in view are marked, so a big page stays quick.
    pad.setText(QString(u"qwzx "_s).repeated(5000));
    const qsizetype inView = marks(pad, *spelling).count(u'-');
    EXPECT_TRUE(inView > 5 && inView < 2000) << inView;

    // A word list that cannot be written: the word stays marked and the user is told why.
    ASSERT_TRUE(QFile::remove(u"config/jotwell/words.txt"_s) && QDir().mkpath(u"config/jotwell/words.txt"_s));
    pad.setText(u"Anothr xqzvkwjj"_s);
    EXPECT_EQ(marks(pad, *spelling), u"0-6 7-15"_s);
    QMenu anothr, nothing;
    spelling->addMenuItems(anothr, 2);
    spelling->addMenuItems(nothing, 9);
    item(anothr, u"Add to Dictionary"_s)->trigger();
    EXPECT_TRUE(host.told.value(0).startsWith(u"\"Anothr\" could not be added to the dictionary: "_s));
    EXPECT_EQ(marks(pad, *spelling), u"0-6 7-15"_s) << "not added";
    jwtest::Commands bare;
    const jw::Spelling without(bare, pad, store, host, {});
    EXPECT_TRUE(greyed(nothing, u"No Suggestions"_s)
                && greyed(*bare.actions.front()->menu(), u"No Dictionaries Installed"_s));
}
