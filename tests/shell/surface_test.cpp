// What a keyboard or screen reader user meets in every window, in English and
// German, held against tests/data/surface/. After a deliberate change,
// JW_WRITE_SURFACES=1 rewrites those files; review their diff like code.
#include "miniwindow/minicommands.h"
#include "shell/translations.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

QString quoted(const QString &text) { return u'"' + text + u'"'; }

/// A control as a screen reader names it, with its place in its holder.
QString control(const QWidget *w)
{
    const QAccessibleInterface *a = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(w));
    const QString description = a->text(QAccessible::Description), tip = w->toolTip();
    const auto *field = qobject_cast<const QLineEdit *>(w);
    QString states;
    for (const char *p : {"checked", "default", "readOnly", "wordWrap", "openExternalLinks"})
        states += w->property(p).toBool() ? u' ' + QLatin1StringView(p) : QString();
    return QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName() + u' '
           + quoted(a->text(QAccessible::Name)) + (description.isEmpty() ? u""_s : u" - "_s + quoted(description))
           + (tip.isEmpty() ? u""_s : u" tip "_s + quoted(tip)) + (w->isEnabled() ? u""_s : u" off"_s)
           + (field && field->isClearButtonEnabled() ? u" clearable"_s : u""_s) + states
           + u" @%1,%2 %3x%4"_s.arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height());
}

/// The window's kind, its controls in Tab order, the other named ones, and its menus.
QString surface(const QWidget &window)
{
    QStringList out{(window.objectName() + u' ' + quoted(window.windowTitle())).trimmed()};
    for (auto [on, word] :
         {std::pair(window.windowType() == Qt::Dialog, "dialog"), std::pair(window.windowType() == Qt::Tool, "tool"),
          std::pair(bool(window.windowFlags() & Qt::WindowStaysOnTopHint), "on-top"),
          std::pair(window.isModal(), "modal"), std::pair(window.minimumSize() == window.maximumSize(), "fixed"),
          std::pair(window.testAttribute(Qt::WA_QuitOnClose), "quits"),
          std::pair(window.testAttribute(Qt::WA_DeleteOnClose), "deleted"),
          std::pair(!window.windowIcon().isNull(), "icon")})
        if (on)
            out.last() += u' ' + QLatin1StringView(word);
    out << u"tab:"_s;
    QList<const QWidget *> reached;
    for (const QWidget *w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain())
        if (window.isAncestorOf(w) && w->isVisibleTo(&window) && (w->focusPolicy() & Qt::TabFocus)
            && !reached.contains(w)) {
            out << u"  "_s + control(reached.emplace_back(w));
            EXPECT_FALSE(out.last().contains(u" \"\""_s)) << "a control a screen reader reads without a name";
        }
    out << u"named:"_s;
    for (const QWidget *w : window.findChildren<QWidget *>())
        if (!reached.contains(w) && w->isVisibleTo(&window)
            && !(w->accessibleName() + w->accessibleDescription() + w->toolTip() + w->property("text").toString())
                    .isEmpty())
            out << u"  "_s + control(w);
    for (const QMenuBar *bar : window.findChildren<QMenuBar *>())
        for (const QAction *menu : bar->actions()) {
            out << u"menu "_s + quoted(menu->text());
            for (const QAction *a : menu->menu()->actions()) {
                const QString check = !a->isCheckable() ? QString() : a->isChecked() ? u" [x]"_s : u" [ ]"_s;
                out << (a->isSeparator()
                            ? u"  -"_s
                            : u"  "_s + quoted(a->text()) + u' ' + QKeySequence::listToString(a->shortcuts()) + check);
            }
        }
    return out.join(u'\n') + u'\n';
}

class Surfaces : public jwtest::MainWindowTest {
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

    void expectSurface(const QWidget &window, const QString &name)
    {
        const QString file = QStringLiteral(JW_SURFACE_DIR "/") + m_language + u'/' + name + u".txt"_s;
        const QByteArray now = surface(window).toUtf8();
        if (qEnvironmentVariableIsSet("JW_WRITE_SURFACES"))
            jwtest::writeBytes(file, now); // a write that fails leaves the old record to differ
        EXPECT_EQ(now.toStdString(), jwtest::readBytes(file).toStdString()) << file.toStdString();
    }

    /// Opens every window in `language` and holds each against its record.
    void expectEveryWindow(const QString &language)
    {
        m_language = language;
        // A removed page to restore in English; none in German, where Restore is off.
        if (language == u"en"_s)
            jwtest::writePage(u"Gone.rtf"_s, jwtest::page(u"a removed page"));
        start();
        expectSurface(*window, u"frmMain"_s);
        for (const QSize size : {QSize(520, 400), QSize(120, 90)}) { // the controls follow the window's size
            window->resize(size);
            ASSERT_TRUE(jwtest::waitUntil([&] { return txtPad->width() == window->centralWidget()->width(); }));
            expectSurface(*window, u"frmMain-%1x%2"_s.arg(size.width()).arg(size.height()));
        }
        for (const char *name :
             {"mnuAddTab", "mnuRename", "mnuSearch", "mnuRestorePage", "mnuPageHistory", "mnuHotKey", "mnuAbout"}) {
            bool opened = false;
            jwtest::onNextModal([&](QWidget *modal) {
                opened = true;
                expectSurface(*modal, QString::fromLatin1(name).mid(3));
                qobject_cast<QDialog *>(modal)->reject();
            });
            action(name)->trigger();
            EXPECT_TRUE(jwtest::waitUntil([&] { return opened; })) << name;
        }
        action("mnuFindAll")->trigger();
        expectSurface(*window->findChild<QWidget *>(u"frmFindAll"_s), u"FindAll"_s);
        expectSurface(miniFeature().miniWindow(), u"frmMin"_s);
        action("mnuHelpTopics")->trigger();
        expectSurface(*window->findChild<QWidget *>(u"frmHelp"_s), u"Help"_s);
    }

private:
    QString m_language;
};

TEST_F(Surfaces, EveryWindowInEnglishAsRecorded) { expectEveryWindow(u"en"_s); }

TEST_F(Surfaces, EveryWindowInGermanAsRecorded)
{
    EXPECT_EQ(installTranslations(*qApp, {u"fr_FR"_s, u"en_GB"_s, u"de"_s}), QString()); // English comes first
    qputenv("LANGUAGE", "fr:de_CH");
    EXPECT_EQ(installTranslations(*qApp, desktopLanguages()), u"de_DE"_s);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s); // Qt's own texts
    expectEveryWindow(u"de"_s);
    for (QAction *menu : window->menuBar()->actions()) {
        QString letters; // one access letter per command
        for (const QAction *item : menu->menu()->actions())
            if (const qsizetype amp = item->text().indexOf(u'&'); amp >= 0)
                letters += item->text()[amp + 1].toLower();
        EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size()) << letters.toStdString();
    }
}

} // namespace
