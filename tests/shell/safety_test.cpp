// What keeps notes from being lost around the main window: the recovery
// journal, changes made outside the pad, closing with a page that cannot be
// saved, what start-up tells, and bringing back a removed page.
#include "pages/journal.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMessageBox>

#include <thread>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

/// Answers the next box by the button whose text contains `choice`.
void answerNext(const QString &choice, QString *text = nullptr)
{
    onNextModal([=](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && text)
            *text = box->text();
        for (auto *button : modal->findChildren<QAbstractButton *>())
            if (button->text().remove(u'&').contains(choice))
                button->click();
    });
}

QStringList journaled()
{
    const RecoveryJournal journal;
    QStringList texts;
    for (const auto &entry : journal.entries(QDir::currentPath()))
        texts << QString::fromStdU16String(journal.read(entry).text);
    return texts;
}

TEST_F(MainWindowTest, TypingIsJournaledAndExitWithAPageThatCannotBeSavedClosesOnlyWhenTold)
{
    frmMain &w = start();
    type(u"an hour of typing"_s);
    ASSERT_TRUE(waitUntil([&] { return journaled() == QStringList{u"an hour of typing"_s}; }));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u""); // never the page file itself
    action("mnuSave")->trigger();
    EXPECT_TRUE(journaled().isEmpty());

    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s) && QDir().mkpath(u"Notes.rtf"_s));
    type(u"precious"_s);
    // With the journal out of reach too, there is nowhere safe: the pad stays.
    const QString journal = RecoveryJournal().folder();
    ASSERT_TRUE(QDir(journal).removeRecursively() && writeBytes(journal, ""));
    const QString told = messageFrom([&] { w.close(); });
    EXPECT_TRUE(w.isVisible() && told.startsWith(u"The page could not be saved to"_s)) << told.toStdString();
    ASSERT_TRUE(QFile::remove(journal));
    QString asked;
    answerNext(u"Keep Open"_s, &asked);
    w.close(); // the close box asks as Exit does
    EXPECT_TRUE(asked.startsWith(u"The page could not be saved to \"Notes.rtf\": Is a directory."_s));
    EXPECT_TRUE(asked.contains(u"recovery journal"_s));
    EXPECT_TRUE(w.isVisible());
    answerNext(u"Close Anyway"_s);
    answerNext(u"Keep Open"_s); // asked only once: a second question would keep it open
    action("mnuExit")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(journaled(), QStringList{u"an hour of typingprecious"_s});
}

TEST_F(MainWindowTest, StartUpOffersEveryJournaledTextThatDiffersFromItsPageWhateverTheFileTimes)
{
    const RecoveryJournal journal;
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto &[title, saved, journaledText, when] :
         {std::tuple(u"Welcome"_s, u"saved long ago"_s, u"recovered text"_s, now.addSecs(60)),
          std::tuple(u"Notes"_s, u"old bytes written again"_s, u"older than its page"_s, now.addSecs(-3600)),
          std::tuple(u"Ideas"_s, u"the same"_s, u"the same"_s, now.addSecs(60))}) {
        writePage(title + u".rtf"_s, page(saved.toStdU16String()));
        journal.record(QDir::currentPath(), title, page(journaledText.toStdU16String()), when);
    }
    frmMain &w = start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    QString first, second;
    answerNext(u"Not Now"_s, &first);
    onNextModal([&second](QWidget *modal) { // queued behind the first question, oldest first; Enter recovers
        second = static_cast<QMessageBox *>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    w.tellStartNotices();
    EXPECT_TRUE(first.startsWith(u"Recover the unsaved text of page \"Notes\" from "_s));
    EXPECT_TRUE(second.startsWith(u"Recover the unsaved text of page \"Welcome\" from "_s));
    EXPECT_EQ(std::pair(oTabs->selectedIndex(), txtPad->Text()), std::pair(1, u"recovered text"_s));
    EXPECT_TRUE(txtPad->document()->isModified());
    // Declined entries are kept aside, never deleted; one that holds the page's own text is dropped.
    EXPECT_EQ(journaled().size(), 1);
    EXPECT_EQ(QDir(journal.folder() + u"/declined"_s).entryList(QDir::Files).size(), 1);
    // The version the text did not start from stays beside the page.
    const QString told = messageFrom([&] { action("mnuSave")->trigger(); });
    EXPECT_TRUE(told.contains(u"kept in \"Welcome (changed elsewhere "_s)) << told.toStdString();
}

TEST_F(MainWindowTest, AJournaledTextGoneBeforeItIsReadIsToldAndThePageStays)
{
    const RecoveryJournal journal;
    writePage(u"Notes.rtf"_s, page(u"saved"));
    journal.record(QDir::currentPath(), u"Notes"_s, page(u"typed"), QDateTime::currentDateTime());
    frmMain &w = start({u"Notes"_s});
    QString told;
    onNextModal([&](QWidget *modal) {
        for (const auto &entry : journal.entries(QDir::currentPath()))
            QFile::remove(entry.file); // taken by a sync tool while the question was open
        closeNextMessage(told);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    w.tellStartNotices();
    EXPECT_EQ(std::pair(told.left(36), txtPad->Text()),
              std::pair(u"The unsaved text could not be read: "_s, u"saved"_s));
}

TEST_F(MainWindowTest, AChangeMadeElsewhereIsShownOrKeptBesideThePage)
{
    start();
    writePage(u"Notes.rtf"_s, page(u"from another machine")); // no unsaved edits: shown
    ASSERT_TRUE(waitUntil([&] { return txtPad->Text() == u"from another machine"; }));
    txtPad->setSelStart(5);
    writePage(u"incoming.tmp"_s, page(u"from another machine, again")); // a sync tool renames
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s) && QFile::rename(u"incoming.tmp"_s, u"Notes.rtf"_s));
    ASSERT_TRUE(waitUntil([&] { return txtPad->Text() == u"from another machine, again"; }));
    EXPECT_EQ(txtPad->SelStart(), 5);

    // Unsaved edits: leaving the page keeps the other version beside it.
    type(u"mine "_s);
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a later modification time
    writePage(u"Notes.rtf"_s, page(u"theirs"));
    QString told;
    closeNextMessage(told);
    ASSERT_TRUE(clickTab(1));
    const QStringList aside = QDir::current().entryList({u"Notes (changed elsewhere *).rtf"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(told.contains(u"changed elsewhere"_s) && told.contains(aside[0])) << told.toStdString();
    EXPECT_EQ(pageText(aside[0]), u"theirs");
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"from mine another machine, again");

    // Without edits nothing is written, unless the file is gone.
    ASSERT_TRUE(writeBytes(u"Welcome.rtf"_s, "{\\rtf1 written by another program}"));
    ASSERT_TRUE(clickTab(2));
    EXPECT_EQ(readBytes(u"Welcome.rtf"_s), "{\\rtf1 written by another program}");
    ASSERT_TRUE(clickTab(1) && QFile::remove(u"Welcome.rtf"_s) && clickTab(2));
    EXPECT_EQ(pageText(u"Welcome.rtf"_s), u"written by another program");
}

TEST_F(MainWindowTest, StartUpSaysASettingsFileItCannotRead)
{
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    const QString told = messageFrom([&] { start().tellStartNotices(); });
    EXPECT_TRUE(told.contains(u"\" could not be read: Is a directory. "_s)) << told.toStdString();
}

TEST_F(MainWindowTest, StartUpSaysWhichSettingsFileWasSetAsideAndRestoreBringsAPageBack)
{
    ASSERT_TRUE(writeBytes(settingsFile(), "{ broken"));
    writePage(u"Old.rtf"_s, page(u"removed last year"));
    const QString told = messageFrom([&] { start().tellStartNotices(); });
    EXPECT_TRUE(told.contains(settingsFile().chopped(5) + u" (broken).json"_s)) << told.toStdString();
    EXPECT_TRUE(told.contains(u"page files are untouched"_s));

    int offered = 0;
    onNextModal([&](QWidget *dialog) {
        offered = dialog->findChild<QListWidget *>()->count(); // Welcome has no file, Notes a tab
        expectLaidOut(*dialog);
        clickButton(dialog, u"Restore"_s);
    });
    action("mnuRestorePage")->trigger();
    EXPECT_EQ(std::pair(offered, tabs()), std::pair(1, QStringList{u"Welcome"_s, u"Notes"_s, u"Old"_s}));
    ASSERT_TRUE(clickTab(3));
    EXPECT_EQ(txtPad->Text(), u"removed last year");
}

} // namespace
