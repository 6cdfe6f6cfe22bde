// The main window's commands on real page files: one success and one
// failure for each, and the start-up sequence.
#include "base/placement.h"
#include "base/windowposition.h"
#include "pages/pagelist.h"
#include "support/mainwindow.h"
#include "ui/combobox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

TEST_F(MainWindowTest, AFirstStartShowsTheDefaultPagesWithTheLastOneCurrent)
{
    ASSERT_TRUE(writeBytes(u"Notes.dat"_s, "")); // not listed yet: nothing to convert
    frmMain &w = start();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Notes"_s}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_TRUE(QFile::exists(u"Notes.rtf"_s));
    EXPECT_FALSE(QFile::exists(u"Welcome.rtf"_s));
    EXPECT_TRUE(QFile::exists(u"Notes.dat"_s));
    EXPECT_NEAR(ui::Top(&w), 1, 15);
    EXPECT_NEAR(ui::Left(&w), 1, 15);
    // The start-up font and size are what typing gets on every empty page.
    EXPECT_FALSE(w.cmbFont->currentText().isEmpty());
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(w.cmbFontSize->currentText(), u"8");
    EXPECT_EQ(std::pair(w.txtPad->SelFontName(), w.txtPad->SelFontSize()),
              std::pair(std::optional(w.cmbFont->currentText()), std::optional(8.0)));
}

TEST_F(MainWindowTest, StartUpConvertsOldPagesAndRestoresThePosition)
{
    ASSERT_TRUE(writeBytes(u"Notes.dat"_s, "{\\rtf1 from the old file}"));
    store.writeEntries(kApp, u"Position"_s, {{u"Top"_s, u"1500"_s}, {u"Left"_s, u"3000"_s}, {u"Width"_s, u"6000"_s}});
    frmMain &w = start({u"Welcome"_s, u"Notes"_s});
    EXPECT_FALSE(QFile::exists(u"Notes.dat"_s));
    EXPECT_EQ(w.txtPad->Text(), u"from the old file");
    EXPECT_NEAR(ui::Top(&w), 1500, 15);
    EXPECT_NEAR(ui::Left(&w), 3000, 15);
    EXPECT_NEAR(ui::Width(&w), 6000, 15);
    // The repaint records the window where it stands.
    EXPECT_TRUE(waitUntil([&] { return store.readSection(kApp, u"Position"_s)->size() == 4; }));
}

TEST_F(MainWindowTest, ASwitchSavesThePageLeftAndShowsTheNextWithItsFormatting)
{
    writePage(u"Welcome.rtf"_s, page(u"bold welcome", true));
    frmMain &w = start({u"Welcome"_s, u"Notes"_s});
    type(u"typed on notes"_s);
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"typed on notes");
    EXPECT_EQ(w.txtPad->Text(), u"bold welcome");
    w.txtPad->selectAll();
    EXPECT_EQ(w.txtPad->SelBold(), true);
    EXPECT_FALSE(w.txtPad->document()->isModified());
}

TEST_F(MainWindowTest, APageThatCannotBeReadRefusesTheSwitch)
{
    ASSERT_TRUE(QDir().mkpath(u"Welcome.rtf"_s));
    frmMain &w = start({u"Welcome"_s, u"Notes"_s});
    type(u"mine"_s);
    QString seen;
    closeNextMessage(seen);
    EXPECT_FALSE(clickTab(1));
    EXPECT_EQ(seen, u"The page \"Welcome\" could not be opened: Is a directory.");
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.txtPad->Text(), u"mine");
}

TEST_F(MainWindowTest, SaveWritesThePageAndAFailedSaveKeepsTheTextAndThePage)
{
    frmMain &w = start();
    type(u"one"_s);
    w.mnuSave->trigger();
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"one");

    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s));
    ASSERT_TRUE(QDir().mkpath(u"Notes.rtf"_s));
    type(u" two"_s);
    QString seen;
    closeNextMessage(seen);
    w.mnuSave->trigger();
    EXPECT_EQ(seen, u"The page could not be saved to \"Notes.rtf\": Is a directory.");
    EXPECT_EQ(w.txtPad->Text(), u"one two");
    closeNextMessage(seen);
    EXPECT_FALSE(clickTab(1)); // the switch is refused as well
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
}

TEST_F(MainWindowTest, APageUnreadAtStartIsNeverWrittenByLeavingIt)
{
    ASSERT_TRUE(QDir().mkpath(u"Notes.rtf"_s));
    writePage(u"Welcome.rtf"_s, page(u"welcome"));
    frmMain &w = start({u"Welcome"_s, u"Notes"_s});
    EXPECT_TRUE(w.oData.isGuarded());
    w.mnuSave->trigger();
    w.cmdShink_Click();
    w.expandFromMini();
    EXPECT_TRUE(clickTab(1)); // no message: nothing was to be saved
    EXPECT_TRUE(QFileInfo(u"Notes.rtf"_s).isDir());
}

TEST_F(MainWindowTest, AddTabAppendsThePageAndRefusesADuplicate)
{
    frmMain &w = start();
    onNextModal([](QWidget *dialog) {
        auto *box = dialog->findChild<QLineEdit *>();
        QString seen;
        closeNextMessage(seen);
        QTest::keyClicks(box, u"NOTES"_s);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(seen, u"You cannot have two tabs with the same name.");
        EXPECT_TRUE(dialog->isVisible());
        box->setText(u"Shopping"_s);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
    });
    w.mnuAddTab->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Notes"_s, u"Shopping"_s}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_TRUE(QFile::exists(u"Shopping.rtf"_s));
}

TEST_F(MainWindowTest, RenameKeepsThePageInItsPlaceAndNeverTakesAnotherFile)
{
    frmMain &w = start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    clickTab(2);
    w.txtPad->setFromDocument(page(u"formatted", true));
    ASSERT_TRUE(writeBytes(u"Old.rtf"_s, "removed page"));
    const auto rename = [&](const QString &name, QString *message) {
        onNextModal([=](QWidget *dialog) {
            if (message)
                closeNextMessage(*message);
            dialog->findChild<QLineEdit *>()->setText(name);
            for (auto *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == u"Rename")
                    button->click();
            }
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
        w.mnuRename->trigger();
    };
    QString refused;
    rename(u"Old"_s, &refused);
    EXPECT_TRUE(refused.contains(u"\"Old.rtf\""_s));
    EXPECT_EQ(readBytes(u"Old.rtf"_s), "removed page");
    rename(u"Plans"_s, nullptr);
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Plans"_s, u"Ideas"_s}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(files.readPage(u"Plans.rtf"_s), page(u"formatted", true));
    EXPECT_EQ(w.oData.currentFile(), u"Plans.rtf");
    // The dialog names its page, and Esc closes it as Cancel does.
    QString labels;
    bool stayed = false;
    onNextModal([&](QWidget *dialog) {
        for (const auto *label : dialog->findChildren<QLabel *>())
            labels += label->text();
        dialog->findChild<QLineEdit *>()->setText(u"Unwanted"_s);
        QTest::keyClick(dialog->findChild<QLineEdit *>(), Qt::Key_Escape);
        if ((stayed = dialog->isVisible()))
            static_cast<QDialog *>(dialog)->reject();
    });
    w.mnuRename->trigger();
    EXPECT_TRUE(labels.contains(u"Plans"_s));
    EXPECT_FALSE(stayed);
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Plans"_s, u"Ideas"_s}));
}

TEST_F(MainWindowTest, RemoveOpensTheFirstPageAndKeepsTheOnlyOne)
{
    writePage(u"Welcome.rtf"_s, page(u"first"));
    frmMain &w = start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    type(u"unsaved"_s);
    w.mnuRemoveTab->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Notes"_s}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(w.txtPad->Text(), u"first");
    EXPECT_EQ(pageText(u"Ideas.rtf"_s), u"unsaved"); // its file keeps the last edits
    w.mnuRemoveTab->trigger();
    QString seen;
    closeNextMessage(seen);
    w.mnuRemoveTab->trigger();
    EXPECT_EQ(seen, u"You cannot remove the only tab.");
    EXPECT_EQ(tabs(), QStringList{u"Notes"_s});
}

TEST_F(MainWindowTest, SearchSelectsTheFirstMatchAndFindNextGoesOnToTheEnd)
{
    frmMain &w = start();
    w.txtPad->setText(u"xABCx abc aaaa"_s);
    const auto search = [&](const QString &what, QString *message) {
        onNextModal([=](QWidget *dialog) {
            auto *box = dialog->findChild<QLineEdit *>();
            if (message)
                closeNextMessage(*message);
            QTest::keyClicks(box, what);
            QTest::keyClick(box, Qt::Key_Return);
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
        w.mnuSearch->trigger();
    };
    QString empty;
    search(QString(), &empty);
    EXPECT_EQ(empty, u"Please enter a value before searching");
    search(u"abc"_s, nullptr);
    EXPECT_EQ(w.txtPad->SelStart(), 6);
    EXPECT_EQ(w.txtPad->SelLength(), 3);
    QString none;
    search(u"zzz"_s, &none);
    EXPECT_EQ(none, u"Search string not found.");
    search(u"aa"_s, nullptr);
    w.mnuNext->trigger();
    w.mnuNext->trigger();
    EXPECT_EQ(w.txtPad->SelStart(), 12);
    QString end;
    closeNextMessage(end);
    w.mnuNext->trigger();
    EXPECT_EQ(end, u"Reached end of document.");
    EXPECT_EQ(w.txtPad->SelStart(), 12);
}

TEST_F(MainWindowTest, EveryMenuShortcutWorksFromTheEditor)
{
    frmMain &w = start();
    for (QAction *action : {w.mnuPrint, w.mnuSave, w.mnuExit, w.mnuSearch, w.mnuNext, w.mnuAddTab, w.mnuRemoveTab,
                            w.mnuHelpTopics, w.Toolbar1->buttonAction(2), w.Toolbar1->buttonAction(3)}) {
        // Only the key's way to the command is under test here, not the command.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QSignalSpy fired(action, &QAction::triggered);
        w.txtPad->setFocus();
        QTest::keySequence(w.txtPad, action->shortcut());
        EXPECT_EQ(fired.count(), 1) << action->text().toStdString();
    }
}

TEST_F(MainWindowTest, FormattingAppliesToTheSelectionAndTheControlsFollowIt)
{
    frmMain &w = start();
    w.txtPad->setFromDocument({u"plain bold", {{0, 6, {"DejaVu Sans", 20, false, false, false}},
                                                {6, 4, {"DejaVu Sans", 21, true, false, false}}}});
    w.txtPad->setSelStart(7);
    w.txtPad->flushSelChange();
    EXPECT_EQ(w.Toolbar1->Value(1), 1);
    EXPECT_EQ(w.cmbFontSize->currentText(), u"10.5"); // a size not listed is shown as it is
    w.txtPad->setSelStart(0);
    w.txtPad->setSelLength(10);
    w.txtPad->flushSelChange();
    EXPECT_EQ(w.Toolbar1->Value(1), 1); // mixed: the button stays
    w.Toolbar1->buttonWidget(1)->click(); // released: the whole selection plain
    EXPECT_EQ(w.txtPad->SelBold(), false);
    w.cmbFontSize->chooseIndex(4);
    EXPECT_EQ(w.txtPad->SelFontSize(), 12.0);
    QTest::keySequence(w.txtPad, QKeySequence(Qt::CTRL | Qt::Key_B)); // as the button does
    EXPECT_EQ(std::pair(w.Toolbar1->Value(1), w.txtPad->SelBold()), std::pair(1, std::optional(true)));
    // A typed size or font name applies with Enter; the keys go back to the page.
    for (const auto &[box, typed] : {std::pair(w.cmbFontSize, u"9"_s), std::pair(w.cmbFont, u"dejavu serif"_s)}) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(w.txtPad->hasFocus());
    }
    w.txtPad->flushSelChange();
    EXPECT_EQ(std::pair(w.txtPad->SelFontSize(), w.txtPad->SelFontName()),
              std::pair(std::optional(9.0), std::optional(u"DejaVu Serif"_s)));
    EXPECT_EQ(std::pair(w.cmbFontSize->currentText(), w.cmbFont->currentText()), std::pair(u"9"_s, u"DejaVu Serif"_s));
}

TEST_F(MainWindowTest, TheEditKeysOfTheDesktopAndThePageKeysSaveLikeAClick)
{
    frmMain &w = start();
    type(u"one"_s);
    for (QAction *action : {w.mnuSelectAll, w.mnuCut, w.mnuPaste, w.mnuUndo})
        action->trigger();
    EXPECT_EQ(w.txtPad->Text(), u"");
    for (const QKeySequence &redo : w.mnuRedo->shortcuts()) {
        QTest::keySequence(w.txtPad, redo);
        EXPECT_EQ(w.txtPad->Text(), u"one");
        w.mnuUndo->trigger();
    }
    w.mnuRedo->trigger();
    QTest::keySequence(w.txtPad, QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"one");
}

TEST_F(MainWindowTest, TabsAreRenamedByADoubleClickAndKeepTheOrderTheyAreDraggedInto)
{
    frmMain &w = start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    w.oTabs->moveTab(2, 0); // as a drag ends
    EXPECT_EQ(PageList(store, files).load(), (QStringList{u"Ideas"_s, u"Welcome"_s, u"Notes"_s}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 1); // Ideas moved with its tab
    onNextModal([](QWidget *dialog) {
        dialog->findChild<QLineEdit *>()->setText(u" ideas "_s);
        QTest::keyClick(dialog->findChild<QLineEdit *>(), Qt::Key_Return);
    });
    const QPoint tab = w.oTabs->tabRect(0).center();
    QTest::mouseDClick(w.oTabs, Qt::LeftButton, {}, tab);
    QTest::mouseRelease(w.oTabs, Qt::LeftButton, {}, tab);
    EXPECT_EQ(tabs(), (QStringList{u"ideas"_s, u"Welcome"_s, u"Notes"_s}));
    EXPECT_TRUE(QFile::exists(u"ideas.rtf"_s) && !QFile::exists(u"Ideas.rtf"_s));
}

} // namespace
