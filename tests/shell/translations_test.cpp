// The desktop's language: which translation is chosen, and the German pad.
#include "shell/translations.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"

#include <QMenuBar>
#include <QAccessible>
#include <QDialog>
#include <QTranslator>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(Translations, TheDesktopsLanguagesComeInItsOrder)
{
    struct Case {
        std::map<std::string, QString> env;
        QStringList system, expected;
    } cases[] = {
        {{{"LANGUAGE", u"de_AT:fr"_s}, {"LANG", u"en_US.UTF-8"_s}}, {u"en-US"_s}, {u"de_AT"_s, u"fr"_s, u"en_US"_s}},
        {{{"LC_ALL", u"C"_s}, {"LC_MESSAGES", u"de_DE.UTF-8@euro"_s}}, {u"de-DE"_s, u"de"_s}, {u"de_DE"_s, u"de"_s}},
        {{{"LANG", u"POSIX"_s}}, {}, {}},
    };
    for (const Case &c : cases) {
        const auto env = [&](const char *name) { return c.env.contains(name) ? c.env.at(name) : QString(); };
        EXPECT_EQ(desktopLanguages(env, c.system), c.expected) << c.expected.join(u',').toStdString();
    }
}

class GermanDesktop : public jwtest::MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        qunsetenv("LANGUAGE");
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

/// The controls of `window` reached by Tab that a screen reader reads out without a name.
QStringList unnamedControls(QWidget *window)
{
    QStringList out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || (w->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        const QAccessibleInterface *control = QAccessible::queryAccessibleInterface(w);
        if (control && control->text(QAccessible::Name).trimmed().isEmpty())
            out << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    }
    return out;
}

TEST_F(GermanDesktop, GetsGermanMenusWithOneAccessLetterPerCommandAndEveryControlANameForScreenReaders)
{
    EXPECT_EQ(installTranslations(*qApp, {u"fr_FR"_s, u"en_GB"_s, u"de"_s}), QString()); // English comes first
    qputenv("LANGUAGE", "fr:de_CH");
    EXPECT_EQ(installTranslations(*qApp, desktopLanguages()), u"de_DE"_s);
    jwtest::writePage(u"Gone.rtf"_s, jwtest::page(u"a removed page"));
    start();
    const QList<QAction *> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), u"&Datei"_s);
    EXPECT_EQ(menus[2]->text(), u"&Hilfe"_s);
    for (QAction *menu : menus) {
        QString letters;
        for (const QAction *item : menu->menu()->actions())
            if (const qsizetype amp = item->text().indexOf(u'&'); amp >= 0)
                letters += item->text()[amp + 1].toLower();
        EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size()) << letters.toStdString();
    }
    EXPECT_EQ(txtPad->accessibleName(), u"Seite Notes"_s);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s); // Qt's own texts

    for (const char *command :
         {"mnuAddTab", "mnuRename", "mnuSearch", "mnuRestorePage", "mnuPageHistory", "mnuHotKey", "mnuAbout"}) {
        QStringList missing{u"did not open"_s};
        jwtest::onNextModal([&](QWidget *modal) {
            missing = unnamedControls(modal);
            qobject_cast<QDialog *>(modal)->reject();
        });
        action(command)->trigger();
        EXPECT_EQ(missing, QStringList()) << command;
    }
    action("mnuFindAll")->trigger();
    QWidget *panel = window->findChild<QWidget *>(u"frmFindAll"_s);
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(unnamedControls(panel), QStringList());
}

} // namespace
