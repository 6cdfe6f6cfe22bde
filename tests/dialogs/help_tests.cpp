// The help: the pages themselves, where the program finds them, and the
// help window that Help Topics opens.
#include "dialogtest.h"

#include "dialogs/frmhelp.h"
#include "dialogs/helpfile.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

#include <gtest/gtest.h>

#include <deque>

using namespace jw;
using jwtest::MessageWatcher;
using jwtest::waitUntil;

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// ------------------------------------------------------------ the pages

class HelpPagesTest : public ::testing::Test {
protected:
    static QDir source() { return QDir(QStringLiteral(JW_HELP_SOURCE_DIR)); }
    static QStringList listed() { return QStringLiteral(JW_HELP_FILES).split(QLatin1Char(',')); }

    // The links of a page, and the anchors it defines.
    struct Page {
        QStringList links;
        QSet<QString> anchors;
        QString text;
        QString title;
    };
    static Page parse(const QString &file)
    {
        QTextDocument doc;
        doc.setHtml(readText(source().filePath(file)));
        Page page;
        page.text = doc.toPlainText();
        page.title = doc.metaInformation(QTextDocument::DocumentTitle);
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (!format.isAnchor())
                    continue;
                if (!format.anchorHref().isEmpty())
                    page.links << format.anchorHref();
                for (const QString &name : format.anchorNames())
                    page.anchors.insert(name);
            }
        }
        return page;
    }
};

TEST_F(HelpPagesTest, EveryPageIsListedAndEveryListedPageExists)
{
    const QStringList onDisk = source().entryList({QStringLiteral("*.html")}, QDir::Files);
    QStringList sortedListed = listed();
    sortedListed.sort();
    QStringList sortedOnDisk = onDisk;
    sortedOnDisk.sort();
    EXPECT_EQ(sortedListed, sortedOnDisk);
    EXPECT_EQ(listed().front(), QStringLiteral("index.html"));
}

TEST_F(HelpPagesTest, EveryLinkLeadsToAPageAndAnchorAndEveryPageIsReachable)
{
    QSet<QString> reached{QStringLiteral("index.html")};
    std::deque<QString> queue{QStringLiteral("index.html")};
    while (!queue.empty()) {
        const QString file = queue.front();
        queue.pop_front();
        const Page page = parse(file);
        EXPECT_FALSE(page.title.isEmpty()) << file.toStdString() << " has no title";
        for (const QString &link : page.links) {
            const QUrl url(link);
            if (!url.scheme().isEmpty()) {
                ADD_FAILURE() << file.toStdString() << " links outside the help: " << link.toStdString();
                continue;
            }
            const QString target = url.path().isEmpty() ? file : url.path();
            ASSERT_TRUE(source().exists(target)) << file.toStdString() << " -> " << link.toStdString();
            if (url.hasFragment()) {
                EXPECT_TRUE(parse(target).anchors.contains(url.fragment()))
                    << file.toStdString() << " -> missing anchor " << link.toStdString();
            }
            if (!reached.contains(target)) {
                reached.insert(target);
                queue.push_back(target);
            }
        }
    }
    for (const QString &file : listed())
        EXPECT_TRUE(reached.contains(file)) << file.toStdString() << " cannot be reached from the contents";
}

TEST_F(HelpPagesTest, TheBuildTreeHoldsTheSamePages)
{
    const QDir built = QFileInfo(builtHelpLocations().buildFile).dir();
    for (const QString &file : listed()) {
        QFile a(source().filePath(file));
        QFile b(built.filePath(file));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << file.toStdString();
        EXPECT_EQ(a.readAll(), b.readAll()) << file.toStdString();
    }
}

// ----------------------------------------------------- where the file is

TEST(HelpLocationTest, TheBuildTreesCopyServesAProgramInTheBuildTree)
{
    QDir::current().mkpath(QStringLiteral("build/tests"));
    QDir::current().mkpath(QStringLiteral("build-other"));
    const QString build = QDir::current().filePath(QStringLiteral("build"));
    const HelpLocations where{build, build + QStringLiteral("/help/index.html"),
                              QStringLiteral("/usr/share/jotwell/help/index.html"),
                              QStringLiteral("../share/jotwell/help/index.html")};
    const auto everything = [](const QString &) { return true; };
    EXPECT_EQ(chooseHelpFile(build, where, everything), where.buildFile);
    EXPECT_EQ(chooseHelpFile(build + QStringLiteral("/tests"), where, everything), where.buildFile);
    EXPECT_EQ(chooseHelpFile(QDir::current().filePath(QStringLiteral("build-other")), where, everything),
              where.installedFile)
        << "a folder whose name merely starts like the build folder is not inside it";
}

TEST(HelpLocationTest, AnInstalledProgramUsesTheInstalledPageOrTheOneBesideIt)
{
    const HelpLocations where{QStringLiteral("/work/build"), QStringLiteral("/work/build/help/index.html"),
                              QStringLiteral("/usr/local/share/jotwell/help/index.html"),
                              QStringLiteral("../share/jotwell/help/index.html")};
    QSet<QString> files{where.installedFile, QStringLiteral("/opt/pad/share/jotwell/help/index.html")};
    const auto exists = [&files](const QString &path) { return files.contains(path); };
    EXPECT_EQ(chooseHelpFile(QStringLiteral("/usr/local/bin"), where, exists), where.installedFile);
    EXPECT_EQ(chooseHelpFile(QStringLiteral("/opt/pad/bin"), where, exists), where.installedFile)
        << "the fixed place wins while it exists";
    files.remove(where.installedFile);
    EXPECT_EQ(chooseHelpFile(QStringLiteral("/opt/pad/bin"), where, exists),
              QStringLiteral("/opt/pad/share/jotwell/help/index.html"));
    EXPECT_EQ(chooseHelpFile(QStringLiteral("/elsewhere/bin"), where, exists), where.installedFile)
        << "nothing found: the message names the fixed place";
}

// ---------------------------------------------------- the help window

class HelpWindowTest : public ::testing::Test {
protected:
    frmHelp *helpWindow() { return m_main.window().findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly); }

    // Clicks the link whose text is `text` in the help window's page.
    static void clickLink(frmHelp *help, const QString &text)
    {
        QTextDocument *doc = help->txtHelp->document();
        QTextCursor found = doc->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        ASSERT_TRUE(found.charFormat().isAnchor()) << text.toStdString() << " is not a link";
        QTextCursor middle(doc);
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        help->txtHelp->setTextCursor(middle);
        help->txtHelp->ensureCursorVisible();
        const QPoint at = help->txtHelp->cursorRect(middle).center();
        QTest::mouseClick(help->txtHelp->viewport(), Qt::LeftButton, {}, at);
    }

    static QString page(const frmHelp *help) { return help->txtHelp->source().fileName(); }

    jwtest::StartedMainWindow m_main;
};

TEST_F(HelpWindowTest, HelpTopicsOpensTheContentsOfTheBuildTreesCopy)
{
    ASSERT_EQ(helpWindow(), nullptr);
    m_main.window().mnuHelpTopics_Click();
    frmHelp *help = helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    const QFileInfo shown(help->txtHelp->source().toLocalFile());
    EXPECT_EQ(shown.fileName(), QStringLiteral("index.html"));
    EXPECT_TRUE(shown.exists());
    EXPECT_TRUE(QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath().startsWith(
        QFileInfo(shown.absolutePath() + QStringLiteral("/..")).canonicalFilePath()))
        << "the copy is the one in this build tree";
    EXPECT_TRUE(help->txtHelp->document()->toPlainText().contains(QStringLiteral("Contents")));
    EXPECT_FALSE(help->cmdBack->isEnabled());
    EXPECT_FALSE(help->cmdForward->isEnabled());
}

TEST_F(HelpWindowTest, F1OpensTheHelp)
{
    frmMain &main = m_main.window();
    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_TRUE(waitUntil([this] { return helpWindow() && helpWindow()->isVisible(); }));
}

TEST_F(HelpWindowTest, BackForwardAndContents)
{
    m_main.window().mnuHelpTopics_Click();
    frmHelp *help = helpWindow();
    ASSERT_NE(help, nullptr);
    clickLink(help, QStringLiteral("Keyboard shortcuts"));
    ASSERT_TRUE(waitUntil([&] { return page(help) == QStringLiteral("shortcuts.html"); }));
    EXPECT_TRUE(help->cmdBack->isEnabled());
    EXPECT_TRUE(help->windowTitle().startsWith(help->txtHelp->documentTitle()));

    help->cmdBack->trigger();
    EXPECT_EQ(page(help), QStringLiteral("index.html"));
    EXPECT_TRUE(help->cmdForward->isEnabled());
    help->cmdForward->trigger();
    EXPECT_EQ(page(help), QStringLiteral("shortcuts.html"));
    help->cmdContents->trigger();
    EXPECT_EQ(page(help), QStringLiteral("index.html"));
    EXPECT_TRUE(help->cmdBack->isEnabled()) << "the way back to the shortcuts stays";
}

TEST_F(HelpWindowTest, HelpTopicsAgainUsesTheSameWindowAtItsContents)
{
    frmMain &main = m_main.window();
    main.mnuHelpTopics_Click();
    frmHelp *help = helpWindow();
    ASSERT_NE(help, nullptr);
    clickLink(help, QStringLiteral("Keyboard shortcuts"));
    ASSERT_TRUE(waitUntil([&] { return page(help) == QStringLiteral("shortcuts.html"); }));
    main.mnuHelpTopics_Click();
    EXPECT_EQ(main.findChildren<frmHelp *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    EXPECT_EQ(page(help), QStringLiteral("index.html"));
}

TEST_F(HelpWindowTest, AMissingHelpFileIsReportedWithoutAWindow)
{
    const QString missing = QDir::current().filePath(QStringLiteral("no-help/index.html"));
    MessageWatcher messages;
    showHelp(&m_main.window(), missing);
    EXPECT_EQ(helpWindow(), nullptr);
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_TRUE(messages.seen().front().text.contains(missing));
    EXPECT_EQ(messages.seen().front().title, QStringLiteral("Jotwell Pro"));
}

TEST_F(HelpWindowTest, AnUnreadableHelpFileLeavesAnOpenWindowAsItWas)
{
    m_main.window().mnuHelpTopics_Click();
    frmHelp *help = helpWindow();
    ASSERT_NE(help, nullptr);
    const QUrl before = help->txtHelp->source();
    QDir::current().mkpath(QStringLiteral("folder.html"));
    MessageWatcher messages;
    showHelp(&m_main.window(), QDir::current().filePath(QStringLiteral("folder.html")));
    EXPECT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(helpWindow(), help);
    EXPECT_EQ(help->txtHelp->source(), before);
}

// Every command of the menus, and its shortcut, is described.
TEST_F(HelpWindowTest, EveryMenuCommandAndShortcutHasItsTopic)
{
    QString everything;
    const QDir pages(QStringLiteral(JW_HELP_SOURCE_DIR));
    for (const QString &file : QStringLiteral(JW_HELP_FILES).split(QLatin1Char(','))) {
        QTextDocument doc;
        doc.setHtml(readText(pages.filePath(file)));
        everything += doc.toPlainText() + QLatin1Char('\n');
    }
    QTextDocument shortcutsPage;
    shortcutsPage.setHtml(readText(pages.filePath(QStringLiteral("shortcuts.html"))));
    const QString shortcuts = shortcutsPage.toPlainText();

    frmMain &main = m_main.window();
    int commands = 0;
    for (QMenu *menu : {main.mnuFile, main.mnuEdit, main.mnuHelp}) {
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            ++commands;
            const QString caption = QString(action->text()).remove(QLatin1Char('&'));
            EXPECT_TRUE(everything.contains(caption)) << caption.toStdString() << " is not described";
            const QString keys = action->shortcut().toString(QKeySequence::NativeText);
            if (!keys.isEmpty()) {
                EXPECT_TRUE(shortcuts.contains(keys)) << keys.toStdString() << " is missing from the shortcuts";
            }
        }
    }
    EXPECT_EQ(commands, 13);
    for (const char *key : {"Alt+V", "F1"})
        EXPECT_TRUE(shortcuts.contains(QLatin1String(key))) << key;
}

} // namespace
