// What keeps notes from being lost around the main window: the recovery
// journal, changes made outside the pad, closing with a page that cannot be
// saved, what start-up tells, and bringing back a removed page.
#include "pages/journal.h"
#include "pages/pagelist.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QAction>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <thread>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

/// Answers the next question box by the button whose text contains `choice`.
void answerNext(const QString &choice, QString *text = nullptr)
{
    onNextModal([=](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        if (text)
            *text = box->text();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text().remove(u'&').contains(choice))
                button->click();
        }
    });
}

TEST_F(MainWindowTest, TypingIsJournaledSoonAndTheEntryGoesWhenThePageIsSaved)
{
    frmMain &w = start();
    const RecoveryJournal journal;
    type(u"an hour of typing"_s);
    ASSERT_TRUE(waitUntil([&] { return journal.entries(QDir::currentPath()).size() == 1; }));
    EXPECT_EQ(journal.read(journal.entries(QDir::currentPath())[0]).text, u"an hour of typing");
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u""); // never the page file itself
    w.mnuSave->trigger();
    EXPECT_TRUE(journal.entries(QDir::currentPath()).isEmpty());
}

TEST_F(MainWindowTest, ExitWithAPageThatCannotBeSavedOffersToCloseOnceTheTextIsJournaled)
{
    frmMain &w = start();
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s));
    ASSERT_TRUE(QDir().mkpath(u"Notes.rtf"_s));
    type(u"precious"_s);
    QString asked;
    answerNext(u"Keep Open"_s, &asked);
    w.mnuExit->trigger();
    EXPECT_TRUE(asked.startsWith(u"The page could not be saved to \"Notes.rtf\": Is a directory."_s));
    EXPECT_TRUE(asked.contains(u"recovery journal"_s));
    EXPECT_TRUE(w.isVisible());
    answerNext(u"Close Anyway"_s);
    w.close(); // the close box asks the same
    EXPECT_FALSE(w.isVisible());
    const RecoveryJournal journal;
    ASSERT_EQ(journal.entries(QDir::currentPath()).size(), 1);
    EXPECT_EQ(journal.read(journal.entries(QDir::currentPath())[0]).text, u"precious");
}

TEST_F(MainWindowTest, StartUpOffersJournaledTextNewerThanItsPage)
{
    writePage(u"Welcome.rtf"_s, page(u"saved long ago"));
    writePage(u"Ideas.rtf"_s, page(u"saved"));
    writePage(u"Notes.rtf"_s, page(u"saved after the crash"));
    const RecoveryJournal journal;
    const QDateTime future = QDateTime::currentDateTime().addSecs(60);
    journal.record(QDir::currentPath(), u"Welcome"_s, page(u"recovered text"), future);
    journal.record(QDir::currentPath(), u"Ideas"_s, page(u"declined"), future);
    journal.record(QDir::currentPath(), u"Notes"_s, page(u"overtaken"), QDateTime::currentDateTime().addSecs(-3600));
    frmMain &w = start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    QString first;
    answerNext(u"Recover"_s, &first);
    answerNext(u"Not Now"_s); // queued behind the first question
    w.tellStartNotices();
    EXPECT_TRUE(first.startsWith(u"Recover the unsaved text of page \"Welcome\" from "_s));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), u"recovered text");
    EXPECT_TRUE(w.txtPad->document()->isModified());
    EXPECT_EQ(pageText(u"Ideas.rtf"_s), u"saved");
    // Declined and overtaken entries are kept aside, never deleted.
    EXPECT_EQ(journal.entries(QDir::currentPath()).size(), 1);
    EXPECT_EQ(QDir(journal.folder() + u"/declined"_s).entryList(QDir::Files).size(), 2);
}

TEST_F(MainWindowTest, AChangeMadeElsewhereIsShownOrKeptBesideThePage)
{
    frmMain &w = start();
    // No unsaved edits: the new version is shown, the caret stays.
    writePage(u"Notes.rtf"_s, page(u"from another machine"));
    ASSERT_TRUE(waitUntil([&] { return w.txtPad->Text() == u"from another machine"; }));
    w.txtPad->setSelStart(5);
    // A sync tool replaces the file by a rename.
    writePage(u"incoming.tmp"_s, page(u"from another machine, again"));
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s) && QFile::rename(u"incoming.tmp"_s, u"Notes.rtf"_s));
    ASSERT_TRUE(waitUntil([&] { return w.txtPad->Text() == u"from another machine, again"; }));
    EXPECT_EQ(w.txtPad->SelStart(), 5);

    // Unsaved edits: leaving the page keeps the other version beside it.
    type(u"mine "_s);
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a later modification time
    writePage(u"Notes.rtf"_s, page(u"theirs"));
    QString told;
    closeNextMessage(told);
    ASSERT_TRUE(clickTab(1));
    EXPECT_TRUE(told.contains(u"changed elsewhere"_s));
    const QStringList aside = QDir::current().entryList({u"Notes (changed elsewhere *).rtf"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(told.contains(aside[0]));
    EXPECT_EQ(pageText(aside[0]), u"theirs");
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"from mine another machine, again");
}

TEST_F(MainWindowTest, LeavingAPageWithoutEditsWritesNothingUnlessItsFileIsGone)
{
    frmMain &w = start();
    // Written by another program a moment ago; the editor has no edits.
    ASSERT_TRUE(writeBytes(u"Notes.rtf"_s, "{\\rtf1 written by another program}"));
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(readBytes(u"Notes.rtf"_s), "{\\rtf1 written by another program}");
    ASSERT_TRUE(clickTab(2));
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s));
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"written by another program");
    EXPECT_FALSE(w.txtPad->document()->isModified());
}

TEST_F(MainWindowTest, StartUpSaysWhichSettingsFileWasSetAside)
{
    ASSERT_TRUE(writeBytes(settingsFile(), "{ broken"));
    frmMain &w = start();
    QString told;
    closeNextMessage(told);
    w.tellStartNotices();
    EXPECT_TRUE(told.contains(settingsFile() + u".broken"_s)) << told.toStdString();
    EXPECT_TRUE(told.contains(u"page files are untouched"_s));
}

TEST_F(MainWindowTest, RestoreRemovedPageBringsAFileBackAsTheLastTab)
{
    writePage(u"Old.rtf"_s, page(u"removed last year"));
    frmMain &w = start();
    onNextModal([](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>();
        ASSERT_EQ(list->count(), 1); // Welcome has no file yet, Notes has a tab
        EXPECT_TRUE(list->item(0)->text().startsWith(u"Old"_s));
        for (auto *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == u"Restore")
                button->click();
        }
    });
    w.mnuRestorePage->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Notes"_s, u"Old"_s}));
    ASSERT_TRUE(clickTab(3));
    EXPECT_EQ(w.txtPad->Text(), u"removed last year");
}

} // namespace
