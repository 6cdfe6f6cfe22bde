// The help: its pages, where the program finds them, the help window and the
// Help menu of a started pad.
#include "about/frmhelp.h"
#include "about/helpfile.h"
#include "support/mainwindow.h"

#include <QScrollBar>
#include <QMenuBar>
#include <QAction>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

const QDir kSource(QStringLiteral(JW_HELP_SOURCE_DIR));

class HelpTest : public jwtest::MainWindowTest {
protected:
    frmHelp *help() { return window->findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly); }
    QString shown() { return help()->txtHelp->source().fileName(); }
};

// The pages are listed, copied into the build, reached by links that lead
// somewhere, and describe every command of the menus and its shortcut.
TEST_F(HelpTest, ThePagesAreLinkedAndDescribeEveryCommand)
{
    QStringList listed = QStringLiteral(JW_HELP_FILES).split(u','), reached{u"index.html"_s};
    EXPECT_EQ(listed.front(), reached.front());
    QString everything, shortcuts;
    for (int i = 0; i < reached.size(); ++i) {
        const QString name = reached[i];
        const QByteArray html = jwtest::readBytes(kSource.filePath(name));
        EXPECT_EQ(jwtest::readBytes(QFileInfo(helpFilePath()).dir().filePath(name)), html);
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(html));
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << name.toStdString();
        everything += doc.toPlainText() + u'\n';
        if (name == u"shortcuts.html"_s)
            shortcuts = doc.toPlainText();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QUrl link(it.fragment().charFormat().anchorHref());
                const QString target = link.path().isEmpty() ? name : link.path();
                if (link.isEmpty() || reached.contains(target))
                    continue;
                EXPECT_TRUE(link.scheme().isEmpty() && kSource.exists(target)) << link.toString().toStdString();
                reached << target;
            }
    }
    listed.sort();
    reached.sort();
    EXPECT_EQ(reached, listed) << "every page reached from the contents, and no other";
    EXPECT_EQ(kSource.entryList({u"*.html"_s}, QDir::Files, QDir::Name), listed);

    start();
    int commands = 0;
    for (const QAction *title : window->menuBar()->actions())
        for (QAction *action : title->menu()->actions()) {
            commands += !action->isSeparator();
            const QString caption = QString(action->text()).remove(u'&');
            EXPECT_TRUE(everything.contains(caption)) << caption.toStdString() << " is not described";
            const QString keys = action->shortcut().toString(QKeySequence::NativeText);
            EXPECT_TRUE(keys.isEmpty() || shortcuts.contains(keys)) << keys.toStdString() << " is not listed";
        }
    EXPECT_EQ(commands, 24);
}

TEST(HelpFile, TheBuildTreesCopyTheInstalledPageOrTheOneBesideTheProgram)
{
    const QString build = jwtest::here(u"build"_s);
    QDir::current().mkpath(u"build/tests"_s);
    QDir::current().mkpath(u"build-other"_s);
    const HelpLocations where{build, build + u"/help/index.html"_s, u"/usr/share/jotwell/help/index.html"_s,
                              u"../share/jotwell/help/index.html"_s};
    const QString beside = u"/opt/pad/share/jotwell/help/index.html"_s;
    const std::tuple<QString, QStringList, QString> cases[] = {
        {build + u"/tests"_s, {}, where.buildFile},
        {build + u"-other"_s, {where.installedFile}, where.installedFile},
        {u"/opt/pad/bin"_s, {where.installedFile, beside}, where.installedFile},
        {u"/opt/pad/bin"_s, {beside}, beside},
        {u"/elsewhere/bin"_s, {beside}, where.installedFile},
    };
    for (const auto &[program, files, chosen] : cases) {
        const auto exists = [&files = files](const QString &path) { return files.contains(path); };
        EXPECT_EQ(chooseHelpFile(program, where, exists), chosen) << program.toStdString();
    }
}

// The Help menu: About hides the pad while its box is open; Help Topics
// opens the contents, with Back, Forward and Contents.
TEST_F(HelpTest, HelpTopicsOpensTheContents)
{
    start();
    action("mnuHelpTopics")->trigger();
    ASSERT_TRUE(help() && help()->isVisible());
    jwtest::expectLaidOut(*help());
    EXPECT_EQ(std::pair(help()->txtHelp->source(), help()->cmdBack->isEnabled()),
              std::pair(QUrl::fromLocalFile(helpFilePath()), false));

    // A click on the link "Keyboard shortcuts".
    QTextBrowser *text = help()->txtHelp;
    QTextCursor link = text->document()->find(u"Keyboard shortcuts"_s);
    link.setPosition(link.selectionStart() + 2);
    text->setTextCursor(link);
    text->ensureCursorVisible();
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(link).center());
    ASSERT_TRUE(jwtest::waitUntil([&] { return shown() == u"shortcuts.html"_s; }));
    EXPECT_TRUE(help()->windowTitle().startsWith(text->documentTitle()));
    help()->cmdBack->trigger();
    EXPECT_EQ(shown(), u"index.html"_s);
    help()->cmdForward->trigger();
    EXPECT_EQ(shown(), u"shortcuts.html"_s);
    help()->cmdBack->trigger();
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    help()->cmdContents->trigger(); // on the contents already: back to their top
    EXPECT_EQ(std::pair(shown(), text->verticalScrollBar()->value()), std::pair(u"index.html"_s, 0));

    // Help Topics again: the same window, back at its contents.
    help()->cmdForward->trigger();
    action("mnuHelpTopics")->trigger();
    EXPECT_EQ(std::pair(window->findChildren<frmHelp *>().size(), shown()), std::pair(qsizetype(1), u"index.html"_s));
    // Minimised along with the pad, which was hidden: it comes back restored when the pad does.
    help()->setWindowState(Qt::WindowMinimized);
    window->hide();
    QEvent activated(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window.get(), &activated);
    EXPECT_TRUE(help()->isVisible() && !help()->isMinimized());
    QTest::keyClick(help()->txtHelp, Qt::Key_Escape);
    EXPECT_TRUE(jwtest::waitUntil([&] { return help() == nullptr; })) << "Esc closes it, and it is not kept";
}

TEST_F(HelpTest, AFileThatCannotBeReadIsReportedAndChangesNoWindow)
{
    start();
    QString seen, title;
    for (const QString &name : {u"missing.html"_s, u"folder.html"_s}) {
        QDir::current().mkpath(u"folder.html"_s);
        jwtest::closeNextMessage(seen, &title);
        showHelp(window.get(), jwtest::here(name));
        EXPECT_EQ(std::tuple(seen.contains(jwtest::here(name)), title, help()),
                  std::tuple(true, u"Jotwell Pro"_s, nullptr))
            << seen.toStdString();
    }
    action("mnuHelpTopics")->trigger();
    jwtest::messageFrom([&] { showHelp(window.get(), jwtest::here(u"missing.html"_s)); });
    EXPECT_EQ(shown(), u"index.html"_s);
}

} // namespace
