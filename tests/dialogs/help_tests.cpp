// The help: its pages, where the program finds them, and the help window.
#include "dialogs/frmhelp.h"
#include "dialogs/helpfile.h"
#include "support/qtwait.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <deque>

using namespace jw;

namespace {

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HelpPages, EveryPageIsListedCopiedToTheBuildAndReachableAndEveryLinkLeadsSomewhere)
{
    const QDir source(QStringLiteral(JW_HELP_SOURCE_DIR));
    const QDir built = QFileInfo(helpFilePath()).dir();
    QStringList listed = QStringLiteral(JW_HELP_FILES).split(u',');
    EXPECT_EQ(listed.front(), QStringLiteral("index.html"));
    for (const QString &page : listed)
        EXPECT_EQ(bytes(built.filePath(page)), bytes(source.filePath(page))) << page.toStdString();

    QSet<QString> reached{QStringLiteral("index.html")};
    std::deque<QString> queue{QStringLiteral("index.html")};
    for (; !queue.empty(); queue.pop_front()) {
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(bytes(source.filePath(queue.front()))));
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << queue.front().toStdString();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QUrl link(it.fragment().charFormat().anchorHref());
                if (link.isEmpty())
                    continue;
                const QString target = link.path().isEmpty() ? queue.front() : link.path();
                EXPECT_TRUE(link.scheme().isEmpty() && source.exists(target)) << link.toString().toStdString();
                if (link.scheme().isEmpty() && source.exists(target) && !reached.contains(target)) {
                    reached.insert(target);
                    queue.push_back(target);
                }
            }
        }
    }
    QStringList onDisk = source.entryList({QStringLiteral("*.html")}, QDir::Files);
    listed.sort();
    EXPECT_EQ(listed, onDisk);
    EXPECT_EQ(reached.size(), listed.size()) << "a page cannot be reached from the contents";
}

TEST(HelpFile, TheBuildTreesCopyTheInstalledPageOrTheOneBesideTheProgram)
{
    QDir::current().mkpath(QStringLiteral("build/tests"));
    QDir::current().mkpath(QStringLiteral("build-other"));
    const QString build = QDir::current().filePath(QStringLiteral("build"));
    const HelpLocations where{build, build + QStringLiteral("/help/index.html"),
                              QStringLiteral("/usr/share/jotwell/help/index.html"),
                              QStringLiteral("../share/jotwell/help/index.html")};
    const QString beside = QStringLiteral("/opt/pad/share/jotwell/help/index.html");
    struct Case {
        QString program;
        QStringList files;
        QString chosen;
    };
    const Case cases[] = {
        {build, {}, where.buildFile},
        {build + QStringLiteral("/tests"), {}, where.buildFile},
        {build + QStringLiteral("-other"), {where.installedFile}, where.installedFile},
        {QStringLiteral("/opt/pad/bin"), {where.installedFile, beside}, where.installedFile},
        {QStringLiteral("/opt/pad/bin"), {beside}, beside},
        {QStringLiteral("/elsewhere/bin"), {beside}, where.installedFile},
    };
    for (const Case &c : cases) {
        const auto exists = [&c](const QString &path) { return c.files.contains(path); };
        EXPECT_EQ(chooseHelpFile(c.program, where, exists), c.chosen) << c.program.toStdString();
    }
}

class HelpWindowTest : public ::testing::Test {
protected:
    frmHelp *help() { return m_owner.findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly); }
    QString page() { return help()->txtHelp->source().fileName(); }

    // Follows the link whose text is `text` with a mouse click.
    void click(const QString &text)
    {
        const QTextCursor found = help()->txtHelp->document()->find(text);
        ASSERT_TRUE(found.charFormat().isAnchor()) << text.toStdString();
        QTextCursor middle = found;
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        help()->txtHelp->setTextCursor(middle);
        help()->txtHelp->ensureCursorVisible();
        QTest::mouseClick(help()->txtHelp->viewport(), Qt::LeftButton, {},
                          help()->txtHelp->cursorRect(middle).center());
    }

    QWidget m_owner;
};

TEST_F(HelpWindowTest, OpensAtTheContentsWithBackForwardAndContents)
{
    showHelp(&m_owner, helpFilePath());
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    EXPECT_FALSE(help()->cmdBack->isEnabled());
    click(QStringLiteral("Keyboard shortcuts"));
    ASSERT_TRUE(jwtest::waitUntil([&] { return page() == QStringLiteral("shortcuts.html"); }));
    EXPECT_TRUE(help()->windowTitle().startsWith(help()->txtHelp->documentTitle()));
    help()->cmdBack->trigger();
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    help()->cmdForward->trigger();
    EXPECT_EQ(page(), QStringLiteral("shortcuts.html"));
    help()->cmdContents->trigger();
    EXPECT_EQ(page(), QStringLiteral("index.html"));

    // Help Topics again: the same window, back at its contents.
    help()->cmdBack->trigger();
    showHelp(&m_owner, helpFilePath());
    EXPECT_EQ(m_owner.findChildren<frmHelp *>().size(), 1);
    EXPECT_EQ(page(), QStringLiteral("index.html"));
}

TEST_F(HelpWindowTest, AFileThatCannotBeReadIsReportedAndChangesNoWindow)
{
    jwtest::SeenMessage seen;
    jwtest::closeNextMessage(seen);
    showHelp(&m_owner, QDir::current().filePath(QStringLiteral("missing.html")));
    EXPECT_EQ(help(), nullptr);
    EXPECT_TRUE(seen.text.contains(QDir::current().filePath(QStringLiteral("missing.html")))) << seen.text.toStdString();
    EXPECT_EQ(seen.title, QStringLiteral("Jotwell Pro"));

    showHelp(&m_owner, helpFilePath());
    QDir::current().mkpath(QStringLiteral("folder.html"));
    jwtest::closeNextMessage(seen);
    showHelp(&m_owner, QDir::current().filePath(QStringLiteral("folder.html")));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("folder.html")));
    EXPECT_EQ(page(), QStringLiteral("index.html"));
}

} // namespace
