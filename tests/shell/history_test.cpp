// The page history in the running pad: versions kept by renames, removals and
// changes made elsewhere, and restored through Page History.
#include "pages/frmpagehistory.h"
#include "pages/pagehistory.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QTreeWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

/// The texts of a page's versions, newest first, once there are `count` of
/// them and the newest is `newest` when given (a worker keeps them).
QStringList versionTexts(const QString &title, qsizetype count, const QString &newest = {})
{
    QStringList texts;
    waitUntil([&] {
        texts.clear();
        for (const PageHistory::Version &v : PageHistory().versions(QDir::currentPath(), title))
            texts << QString::fromStdU16String(PageHistory::read(v).text);
        return texts.size() >= count && (newest.isEmpty() || texts[0] == newest);
    });
    return texts;
}

/// Restores the newest version of that kind in the next Page History window.
void restoreKind(PageHistory::Reason kind)
{
    onNextModal([kind](QWidget *modal) {
        auto *dialog = qobject_cast<frmPageHistory *>(modal);
        ASSERT_NE(dialog, nullptr);
        const auto rows = dialog->lstVersions->findItems(frmPageHistory::kindText(kind), Qt::MatchExactly, 1);
        ASSERT_FALSE(rows.isEmpty());
        dialog->lstVersions->setCurrentItem(rows[0]);
        dialog->cmdRestore->click();
        EXPECT_FALSE(dialog->isVisible()) << "a restored version closes the window";
    });
}

TEST_F(MainWindowTest, VersionsOfChangesElsewhereRenamesAndRemovalsComeBackThroughPageHistory)
{
    writePage(u"Ideas.rtf"_s, page(u"first ideas"));
    start({u"Welcome"_s, u"Ideas"_s});
    writePage(u"Ideas.rtf"_s, page(u"from elsewhere")); // shown, the text before kept
    ASSERT_TRUE(waitUntil([&] { return txtPad->Text() == u"from elsewhere"; }));
    EXPECT_EQ(versionTexts(u"Ideas"_s, 1), QStringList{u"first ideas"_s});
    restoreKind(PageHistory::Reason::Reloaded);
    action("mnuPageHistory")->trigger();
    EXPECT_EQ(std::pair(txtPad->Text(), txtPad->document()->isModified()), std::pair(u"first ideas"_s, true));
    txtPad->undo(); // one edit
    EXPECT_EQ(txtPad->Text(), u"from elsewhere");
    EXPECT_EQ(versionTexts(u"Ideas"_s, 2, u"from elsewhere"_s)[0], u"from elsewhere"); // what the restore replaced

    type(u"!"_s);
    action("mnuRemoveTab")->trigger();
    EXPECT_EQ(versionTexts(u"Ideas"_s, 3, u"from elsewhere!"_s)[0], u"from elsewhere!"); // the removed page
    ASSERT_TRUE(QFile::remove(u"Ideas.rtf"_s)); // gone, but not from its history
    onNextModal([](QWidget *modal) {
        auto *list = modal->findChild<QListWidget *>();
        ASSERT_EQ(list->count(), 1);
        restoreKind(PageHistory::Reason::Reloaded);
        modal->findChild<QPushButton *>(u"cmdHistory"_s)->click();
    });
    action("mnuRestorePage")->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Ideas"_s}));
    EXPECT_EQ(std::pair(oTabs->selectedIndex(), txtPad->Text()), std::pair(2, u"first ideas"_s));
    onNextModal(
        [](QWidget *modal) { EXPECT_EQ(modal->findChild<QListWidget *>()->count(), 0) << "it is a tab again"; });
    action("mnuRestorePage")->trigger();

    action("mnuSave")->trigger();
    onNextModal([](QWidget *modal) {
        modal->findChild<QLineEdit *>()->setText(u"Plans"_s);
        QTest::keyClick(modal->findChild<QLineEdit *>(), Qt::Key_Return);
    });
    action("mnuRename")->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Plans"_s}));
    EXPECT_EQ(versionTexts(u"Ideas"_s, 4, u"first ideas"_s)[0], u"first ideas"); // kept under the old title
}

TEST_F(MainWindowTest, APageLeftKeepsItsUndoHistoryAndItsPlaceUntilItsFileChanges)
{
    writePage(u"Plans.rtf"_s, page(u"plans here"));
    writePage(u"Ideas.rtf"_s, page(u"keep these ideas"));
    start({u"Plans"_s, u"Ideas"_s});
    txtPad->setFocus();
    QTest::keySequence(txtPad, QKeySequence(u"Ctrl+A, Del, Ctrl+Tab"_s));
    ASSERT_EQ(oTabs->selectedIndex(), 1);
    EXPECT_EQ(pageText(u"Ideas.rtf"_s), u""); // the emptied page was saved
    txtPad->setSelStart(5);
    QTest::keySequence(txtPad, QKeySequence(u"Ctrl+Shift+Tab, Ctrl+Z"_s));
    EXPECT_EQ(txtPad->Text(), u"keep these ideas");
    txtPad->setSelStart(4);

    clickTab(1); // a page without edits comes back where it was left
    EXPECT_EQ(std::pair(txtPad->Text(), txtPad->SelStart()), std::pair(u"plans here"_s, 5));
    writePage(u"Ideas.rtf"_s, page(u"written elsewhere"));
    clickTab(2); // the file is newer than what the page kept: it wins, with nothing to undo
    EXPECT_EQ(std::pair(txtPad->Text(), txtPad->document()->isUndoAvailable()),
              std::pair(u"written elsewhere"_s, false));
    txtPad->setSelStart(7);

    window.reset(); // and after a restart
    start();
    EXPECT_EQ(txtPad->SelStart(), 7);
    clickTab(1);
    EXPECT_EQ(txtPad->SelStart(), 5);
    clickTab(2);
    writePage(u"Plans.rtf"_s, page(u"pl")); // shorter now: the caret goes to its end
    clickTab(1);
    EXPECT_EQ(txtPad->SelStart(), 2);
}

TEST_F(MainWindowTest, AKeptPageTakesOverFromABigPageStillGoingIn)
{
    writePage(u"Big.rtf"_s, page(u"a big page\n"_s.repeated(200000).toStdU16String()));
    start({u"Big"_s, u"Notes"_s});
    type(u"kept"_s);
    clickTab(1);
    ASSERT_TRUE(txtPad->isLoading());
    clickTab(2);
    EXPECT_EQ(std::pair(txtPad->Text(), txtPad->document()->isUndoAvailable()), std::pair(u"kept"_s, true));
}

} // namespace
