#include "pageops_fixture.h"

#include <QAction>

using namespace jw;
using namespace jwtest;

namespace {

class RemoveTabTest : public PageOpsTest {
protected:
    /// Welcome (1), Notes (2), Ideas (3), Plans (4), each file holding "<title> text".
    frmMain &startWithFourPages()
    {
        const QStringList titles{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas"),
                                 QStringLiteral("Plans")};
        listPages(titles);
        for (const QString &title : titles)
            writePage(title + QStringLiteral(".rtf"), plainPage((title + QStringLiteral(" text")).toStdU16String()));
        return start();
    }

    /// Runs Edit > Remove Tab; returns the message boxes it showed.
    QList<SeenMessage> removeCurrent()
    {
        MessageWatch watch;
        m_window->mnuRemoveTab->trigger();
        settle();
        return watch.seen;
    }

    QByteArray text(const QString &title) const { return bytes(title + QStringLiteral(".rtf")); }
};

TEST_F(RemoveTabTest, RemovingAMiddlePageClosesTheGapAndOpensTheFirstPage)
{
    frmMain &w = startWithFourPages();
    chooseTab(2);
    const QByteArray notes = text(QStringLiteral("Notes"));
    const QByteArray welcome = text(QStringLiteral("Welcome"));
    const QByteArray ideas = text(QStringLiteral("Ideas"));
    const QByteArray plans = text(QStringLiteral("Plans"));

    EXPECT_TRUE(removeCurrent().isEmpty());

    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Ideas=2"),
                                           QStringLiteral("Plans=3")}));
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Ideas"), QStringLiteral("Plans")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("Welcome text"));
    EXPECT_FALSE(w.txtPad->document()->isModified());
    // Every file stays; the rebuilt strip wrote none of them.
    EXPECT_EQ(text(QStringLiteral("Notes")), notes);
    EXPECT_EQ(text(QStringLiteral("Welcome")), welcome);
    EXPECT_EQ(text(QStringLiteral("Ideas")), ideas);
    EXPECT_EQ(text(QStringLiteral("Plans")), plans);
    EXPECT_EQ(switchEvents(), 0);
}

TEST_F(RemoveTabTest, RemovingTheFirstPageMakesTheSecondFirstAndCurrent)
{
    frmMain &w = startWithFourPages();
    chooseTab(1);
    EXPECT_TRUE(removeCurrent().isEmpty());
    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Notes=1"), QStringLiteral("Ideas=2"),
                                           QStringLiteral("Plans=3")}));
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Notes"), QStringLiteral("Ideas"), QStringLiteral("Plans")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("Notes text"));
    EXPECT_TRUE(exists(QStringLiteral("Welcome.rtf")));
    EXPECT_EQ(switchEvents(), 0);
}

TEST_F(RemoveTabTest, RemovingTheLastPageKeepsTheOthersAndOpensTheFirst)
{
    frmMain &w = startWithFourPages();
    ASSERT_EQ(w.oTabs->selectedIndex(), 4); // the start-up opens the last page
    EXPECT_TRUE(removeCurrent().isEmpty());
    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Notes=2"),
                                           QStringLiteral("Ideas=3")}));
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("Welcome text"));
    EXPECT_TRUE(exists(QStringLiteral("Plans.rtf")));
}

TEST_F(RemoveTabTest, UnsavedEditsGoToTheRemovedPagesFileAndComeBackWithItsTitle)
{
    frmMain &w = startWithFourPages();
    chooseTab(3);
    w.txtPad->setSelBold(true);
    QTest::keyClicks(w.txtPad, QStringLiteral("Bold start. "));
    const rtf::Document edited = w.txtPad->toDocument();
    ASSERT_TRUE(w.txtPad->document()->isModified());

    EXPECT_TRUE(removeCurrent().isEmpty());
    EXPECT_EQ(page(QStringLiteral("Ideas.rtf")), edited);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("Welcome text"));

    withAddDialog([&](frmAddTab &d) { typeAndPress(d.txtTitle, QStringLiteral("Ideas")); });
    ASSERT_EQ(tabs().size(), 4);
    chooseTab(4);
    EXPECT_EQ(w.txtPad->toDocument(), edited);
}

TEST_F(RemoveTabTest, TheOnlyPageIsNotRemoved)
{
    listPages({QStringLiteral("Only")});
    writePage(QStringLiteral("Only.rtf"), plainPage(u"the only text"));
    frmMain &w = start();
    QTest::keyClicks(w.txtPad, QStringLiteral("more "));

    const auto messages = removeCurrent();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("You cannot remove the only tab."));
    EXPECT_EQ(messages[0].buttons, 1);
    EXPECT_FALSE(messages[0].hasIcon);
    EXPECT_EQ(pageListText(), QStringList{QStringLiteral("Only=1")});
    EXPECT_EQ(tabs(), QStringList{QStringLiteral("Only")});
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("more the only text"));
}

TEST_F(RemoveTabTest, APageThatCannotBeSavedIsNotRemoved)
{
    frmMain &w = startWithFourPages();
    chooseTab(2);
    QTest::keyClicks(w.txtPad, QStringLiteral("edit "));
    // Its file's place is taken by a folder, so the save fails.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Notes.rtf"))));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Notes.rtf")));
    const QStringList listBefore = pageListText();

    const auto messages = removeCurrent();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("Notes.rtf"))) << messages[0].text.toStdString();
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(tabs().size(), 4);
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("edit Notes text"));
}

TEST_F(RemoveTabTest, AMissingFirstPageFileIsCreatedEmpty)
{
    frmMain &w = startWithFourPages();
    chooseTab(3);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Welcome.rtf"))));
    EXPECT_TRUE(removeCurrent().isEmpty());
    ASSERT_TRUE(exists(QStringLiteral("Welcome.rtf")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("Welcome.rtf"))).size(), 0);
    EXPECT_TRUE(w.txtPad->Text().isEmpty());
    EXPECT_EQ(w.currentPageFile(), QStringLiteral("Welcome.rtf"));
}

TEST_F(RemoveTabTest, AFirstPageThatCannotBeReadLeavesNoOtherPagesTextInTheEditor)
{
    frmMain &w = startWithFourPages();
    chooseTab(3);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Welcome.rtf"))));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Welcome.rtf")));
    const auto messages = removeCurrent();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("\"Welcome\""))) << messages[0].text.toStdString();
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Plans")}));
    EXPECT_TRUE(w.txtPad->Text().isEmpty());
    EXPECT_EQ(page(QStringLiteral("Ideas.rtf")).text, u"Ideas text");
}

TEST_F(RemoveTabTest, CtrlRRemovesTheCurrentPage)
{
    frmMain &w = startWithFourPages();
    w.txtPad->setFocus();
    QTest::keyClick(w.txtPad, Qt::Key_R, Qt::ControlModifier);
    settle();
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
}

} // namespace
