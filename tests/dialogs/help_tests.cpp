// The help: its pages, where the program finds them, and the help window.
#include "base/settingsstore.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmhelp.h"
#include "dialogs/frmsplash.h"
#include "dialogs/helpfile.h"
#include "pages/pagefiles.h"
#include "shell/frmmain.h"
#include "support/qtwait.h"

#include <QAction>
#include <QMenu>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace jw;

namespace {

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(HelpPages, AreListedCopiedIntoTheBuildAndReachableByLinksThatLeadSomewhere)
{
    const QDir source(QStringLiteral(JW_HELP_SOURCE_DIR));
    QStringList listed = QStringLiteral(JW_HELP_FILES).split(u',');
    EXPECT_EQ(listed.front(), QStringLiteral("index.html"));
    QStringList reached{QStringLiteral("index.html")};
    for (int i = 0; i < reached.size(); ++i) {
        const QString page = reached[i];
        EXPECT_EQ(bytes(QFileInfo(helpFilePath()).dir().filePath(page)), bytes(source.filePath(page)));
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(bytes(source.filePath(page))));
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << page.toStdString();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QUrl link(it.fragment().charFormat().anchorHref());
                const QString target = link.path().isEmpty() ? page : link.path();
                if (link.isEmpty() || reached.contains(target))
                    continue;
                EXPECT_TRUE(link.scheme().isEmpty() && source.exists(target)) << link.toString().toStdString();
                reached << target;
            }
        }
    }
    listed.sort();
    reached.sort();
    EXPECT_EQ(reached, listed) << "every page reached from the contents, and no other";
    EXPECT_EQ(source.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name), listed);
}

TEST(HelpFile, TheBuildTreesCopyTheInstalledPageOrTheOneBesideTheProgram)
{
    const QString build = QDir::current().filePath(QStringLiteral("build"));
    QDir::current().mkpath(QStringLiteral("build/tests"));
    QDir::current().mkpath(QStringLiteral("build-other"));
    const HelpLocations where{build, build + QStringLiteral("/help/index.html"),
                              QStringLiteral("/usr/share/jotwell/help/index.html"),
                              QStringLiteral("../share/jotwell/help/index.html")};
    const QString beside = QStringLiteral("/opt/pad/share/jotwell/help/index.html");
    const std::tuple<QString, QStringList, QString> cases[] = {
        {build + QStringLiteral("/tests"), {}, where.buildFile},
        {build + QStringLiteral("-other"), {where.installedFile}, where.installedFile},
        {QStringLiteral("/opt/pad/bin"), {where.installedFile, beside}, where.installedFile},
        {QStringLiteral("/opt/pad/bin"), {beside}, beside},
        {QStringLiteral("/elsewhere/bin"), {beside}, where.installedFile},
    };
    for (const auto &[program, files, chosen] : cases) {
        const auto exists = [&files](const QString &path) { return files.contains(path); };
        EXPECT_EQ(chooseHelpFile(program, where, exists), chosen) << program.toStdString();
    }
}

class HelpWindowTest : public ::testing::Test {
protected:
    frmHelp *help() { return m_owner.findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly); }
    QString page() { return help()->txtHelp->source().fileName(); }

    QWidget m_owner;
};

TEST_F(HelpWindowTest, OpensAtTheContentsWithBackForwardAndContents)
{
    showHelp(&m_owner, helpFilePath());
    ASSERT_TRUE(help() && help()->isVisible());
    EXPECT_FALSE(help()->windowIcon().isNull());
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    EXPECT_FALSE(help()->cmdBack->isEnabled());

    // A click on the link "Keyboard shortcuts".
    QTextBrowser *text = help()->txtHelp;
    QTextCursor link = text->document()->find(QStringLiteral("Keyboard shortcuts"));
    link.setPosition(link.selectionStart() + 2);
    text->setTextCursor(link);
    text->ensureCursorVisible();
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(link).center());
    ASSERT_TRUE(jwtest::waitUntil([&] { return page() == QStringLiteral("shortcuts.html"); }));
    EXPECT_TRUE(help()->windowTitle().startsWith(text->documentTitle()));
    help()->cmdBack->trigger();
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    help()->cmdForward->trigger();
    EXPECT_EQ(page(), QStringLiteral("shortcuts.html"));
    help()->cmdContents->trigger();
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    help()->cmdContents->trigger();
    EXPECT_EQ(text->verticalScrollBar()->value(), 0) << "Contents goes back to the top";

    // Help Topics again: the same window, back at its contents.
    help()->cmdBack->trigger();
    showHelp(&m_owner, helpFilePath());
    EXPECT_EQ(m_owner.findChildren<frmHelp *>().size(), 1);
    EXPECT_EQ(page(), QStringLiteral("index.html"));

    help()->close();
    EXPECT_TRUE(jwtest::waitUntil([&] { return help() == nullptr; })) << "a closed help window is not kept";
}

TEST_F(HelpWindowTest, AFileThatCannotBeReadIsReportedAndChangesNoWindow)
{
    const QString missing = QDir::current().filePath(QStringLiteral("missing.html"));
    jwtest::SeenMessage seen;
    jwtest::closeNextMessage(seen);
    showHelp(&m_owner, missing);
    EXPECT_EQ(help(), nullptr);
    EXPECT_TRUE(seen.text.contains(missing)) << seen.text.toStdString();
    EXPECT_EQ(seen.title, QStringLiteral("Jotwell Pro"));

    showHelp(&m_owner, helpFilePath());
    QDir::current().mkpath(QStringLiteral("folder.html"));
    jwtest::closeNextMessage(seen);
    showHelp(&m_owner, QDir::current().filePath(QStringLiteral("folder.html")));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("folder.html")));
    EXPECT_EQ(page(), QStringLiteral("index.html"));
}

// The Help menu of a started pad: About hides the pad while the box is
// open, Help Topics opens this build's help.
TEST(HelpMenu, AboutAndHelpTopicsOpenTheirWindows)
{
    SettingsStore store(QDir::current().filePath(QStringLiteral("config/jotwell/settings.json")));
    PageFiles files(QDir::currentPath());
    frmMain main(store, files);
    main.Form_Load();
    main.splash()->close();
    jwtest::settle();
    main.show();
    bool padHidden = false;
    jwtest::onNextModal([&](QWidget *box) { padHidden = qobject_cast<frmAbout *>(box) && !main.isVisible(); });
    main.mnuAbout_Click();
    EXPECT_TRUE(padHidden);
    EXPECT_TRUE(main.isVisible());

    main.mnuHelpTopics_Click();
    const frmHelp *help = main.findChild<frmHelp *>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->txtHelp->source(), QUrl::fromLocalFile(helpFilePath()));

    // Every command of the menus, and its shortcut, is described.
    QString everything;
    const QDir pages(QStringLiteral(JW_HELP_SOURCE_DIR));
    for (const QString &file : QStringLiteral(JW_HELP_FILES).split(QLatin1Char(','))) {
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(bytes(pages.filePath(file))));
        everything += doc.toPlainText() + QLatin1Char('\n');
    }
    QTextDocument shortcutsPage;
    shortcutsPage.setHtml(QString::fromUtf8(bytes(pages.filePath(QStringLiteral("shortcuts.html")))));
    const QString shortcuts = shortcutsPage.toPlainText();
    int commands = 0;
    for (QMenu *menu : {main.mnuFile, main.mnuEdit, main.mnuHelp}) {
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            ++commands;
            const QString caption = QString(action->text()).remove(QLatin1Char('&'));
            EXPECT_TRUE(everything.contains(caption)) << caption.toStdString() << " is not described";
            const QString keys = action->shortcut().toString(QKeySequence::NativeText);
            EXPECT_TRUE(keys.isEmpty() || shortcuts.contains(keys)) << keys.toStdString() << " is not listed";
        }
    }
    EXPECT_EQ(commands, 20);
    main.hide();
}

} // namespace
