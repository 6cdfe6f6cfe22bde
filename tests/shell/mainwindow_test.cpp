// The main window's commands on real page files: one success and one
// failure for each, and the start-up sequence.
#include "pages/journal.h"
#include "pages/pagelist.h"
#include "shell/commandregistry.h"
#include "support/mainwindow.h"
#include "ui/combobox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QToolButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

/// Answers the next dialog, the one `command` opens when given, by typing
/// `text` into its box and Enter (or a click on `button`); returns the
/// message that raises when `refused`. A dialog still open is cancelled.
QString answerDialog(const QString &text, QAction *command = nullptr, bool refused = false, const QString &button = {})
{
    auto told = std::make_shared<QString>();
    onNextModal([=](QWidget *dialog) {
        expectLaidOut(*dialog);
        EXPECT_FALSE(dialog->parentWidget()->window()->frameGeometry().contains(dialog->frameGeometry().center()));
        if (refused)
            closeNextMessage(*told);
        auto *box = dialog->findChild<QLineEdit *>();
        box->clear();
        QTest::keyClicks(box, text);
        button.isEmpty() ? QTest::keyClick(box, Qt::Key_Return) : clickButton(dialog, button);
        EXPECT_TRUE(refused || !dialog->isVisible()) << "an accepted answer closes the dialog";
        if (dialog->isVisible())
            static_cast<QDialog *>(dialog)->reject();
    });
    if (command)
        command->trigger();
    return *told;
}

/// The menus as the user sees them: "menu: item shortcut, -, ...", with a
/// line shown only between two commands.
QStringList menuText(const QMenuBar &bar)
{
    QStringList menus;
    for (const QAction *title : bar.actions()) {
        QStringList items;
        for (const QAction *action : title->menu()->actions()) {
            if (!action->isSeparator())
                items << QStringList{action->text(), action->shortcut().toString()}.join(u' ').trimmed();
            else if (!items.isEmpty() && items.last() != u"-")
                items << u"-"_s;
        }
        if (!items.isEmpty() && items.last() == u"-")
            items.removeLast();
        menus << title->text() + u": "_s + items.join(u", "_s);
    }
    return menus;
}

TEST(CommandRegistry, PlacesKeepTheirOrderWhicheverFeatureComesFirst)
{
    QMenuBar bar;
    CommandRegistry registry(bar);
    QAction find(u"Find"_s), all(u"All"_s), undo(u"Undo"_s), print(u"Print"_s), exit(u"Exit"_s), top(u"Top"_s), bold;
    for (auto [action, place] : {std::pair(&top, ui::Place::EditOnTop), std::pair(&all, ui::Place::EditFindAll),
                                 std::pair(&find, ui::Place::EditFind), std::pair(&exit, ui::Place::FileExit),
                                 std::pair(&print, ui::Place::FilePrint)})
        registry.add(action, place);
    registry.add(&undo, ui::Place::EditUndo, ui::Keys::Field);
    EXPECT_EQ(menuText(bar), (QStringList{u"&File: Print, Exit"_s, u"&Edit: Undo, -, Find, All, Top"_s, u"&Help: "_s}));
    // The window's commands and the toolbar's keys win over the editor; the editing keys do not.
    find.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    bold.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    registry.addKeys(&bold);
    EXPECT_EQ((QList<bool>{registry.claims(find.shortcut()), registry.claims(bold.shortcut()),
                           registry.claims(undo.shortcut()), registry.claims(QKeySequence(Qt::CTRL | Qt::Key_J))}),
              (QList<bool>{true, true, false, false}));
}

TEST_F(MainWindowTest, AFirstStartShowsTheDefaultPagesAndTypesInTheStartUpFont)
{
    ASSERT_TRUE(writeBytes(u"Notes.dat"_s, "")); // not listed yet: nothing to convert
    start();
    EXPECT_EQ(std::pair(tabs(), oTabs->selectedIndex()), std::pair(QStringList{u"Welcome"_s, u"Notes"_s}, 2));
    EXPECT_TRUE(QFile::exists(u"Notes.rtf"_s) && !QFile::exists(u"Welcome.rtf"_s) && QFile::exists(u"Notes.dat"_s));
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(std::tuple(txtPad->SelFontName(), txtPad->SelFontSize(), cmbFontSize->currentText()),
              std::tuple(std::optional(cmbFont->currentText()), std::optional(8.0), u"8"_s));
}

TEST_F(MainWindowTest, StartUpConvertsOldPagesAndRestoresAndRecordsThePosition)
{
    ASSERT_TRUE(writeBytes(u"Notes.dat"_s, "{\\rtf1 from the old file}"));
    store.writeEntries(kApp, u"Position"_s, {{u"Top"_s, u"1500"_s}, {u"Left"_s, u"3000"_s}, {u"Width"_s, u"6000"_s}});
    frmMain &w = start({u"Welcome"_s, u"Notes"_s});
    EXPECT_EQ(std::pair(QFile::exists(u"Notes.dat"_s), txtPad->Text()), std::pair(false, u"from the old file"_s));
    for (const auto &[got, stored] : {std::pair(ui::Top(&w), 1500.0), {ui::Left(&w), 3000.0}, {ui::Width(&w), 6000.0}})
        EXPECT_NEAR(got, stored, 15);
    EXPECT_TRUE(waitUntil([&] { return store.readSection(kApp, u"Position"_s)->size() == 4; }));
}

TEST_F(MainWindowTest, ASwitchSavesThePageLeftAndAPageThatCannotBeReadRefusesIt)
{
    writePage(u"Welcome.rtf"_s, page(u"bold welcome", true));
    ASSERT_TRUE(QDir().mkpath(u"Ideas.rtf"_s));
    start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    ASSERT_TRUE(clickTab(2)); // Ideas was never read: leaving it writes nothing
    EXPECT_TRUE(QFileInfo(u"Ideas.rtf"_s).isDir());
    type(u"typed\ton notes"_s); // Tab types a tab, not a move to the next control
    ASSERT_TRUE(clickTab(1));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"typed\ton notes");
    txtPad->selectAll();
    EXPECT_EQ(std::tuple(txtPad->Text(), txtPad->SelBold(), txtPad->document()->isModified()),
              std::tuple(u"bold welcome"_s, std::optional(true), false));
    type(u"mine"_s);
    EXPECT_EQ(messageFrom([&] { EXPECT_FALSE(clickTab(3)); }),
              u"The page \"Ideas\" could not be opened: Is a directory."_s);
    EXPECT_EQ(std::pair(oTabs->selectedIndex(), txtPad->Text()), std::pair(1, u"mine"_s));
}

TEST_F(MainWindowTest, SaveWritesThePageAndAFailedSaveKeepsTheTextAndThePage)
{
    start();
    type(u"one"_s);
    action("mnuSave")->trigger();
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"one");
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s) && QDir().mkpath(u"Notes.rtf"_s));
    type(u" two"_s);
    EXPECT_EQ(messageFrom([&] { action("mnuSave")->trigger(); }),
              u"The page could not be saved to \"Notes.rtf\": Is a directory."_s);
    EXPECT_EQ(txtPad->Text(), u"one two"_s);
    messageFrom([&] { EXPECT_FALSE(clickTab(1)); }); // the switch is refused as well
}

TEST_F(MainWindowTest, AddTabAppendsThePageAndRefusesADuplicate)
{
    start();
    EXPECT_EQ(answerDialog(u"NOTES"_s, action("mnuAddTab"), true), u"You cannot have two tabs with the same name.");
    answerDialog(u"Shopping"_s, action("mnuAddTab"), false, u"Cancel"_s); // closes, adds nothing
    answerDialog(u"Shopping"_s, action("mnuAddTab"), false, u"Add"_s);
    EXPECT_EQ(std::tuple(tabs(), oTabs->selectedIndex(), QFile::exists(u"Shopping.rtf"_s)),
              std::tuple(QStringList{u"Welcome"_s, u"Notes"_s, u"Shopping"_s}, 2, true));
}

TEST_F(MainWindowTest, RenameKeepsThePageInItsPlaceAndNeverTakesAnotherFile)
{
    start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    clickTab(2);
    txtPad->setFromDocument(page(u"formatted", true));
    ASSERT_TRUE(writeBytes(u"Old.rtf"_s, "removed page"));
    EXPECT_TRUE(answerDialog(u"Old"_s, action("mnuRename"), true).contains(u"\"Old.rtf\""_s));
    EXPECT_EQ(readBytes(u"Old.rtf"_s), "removed page");
    type(u"!"_s);
    const auto journaled = [] { return RecoveryJournal().entries(QDir::currentPath()).size(); };
    ASSERT_TRUE(waitUntil([&] { return journaled() == 1; }));
    answerDialog(u"Plans"_s, action("mnuRename"), false, u"Cancel"_s);
    answerDialog(u"Plans"_s, action("mnuRename"), false, u"Rename"_s); // nothing is offered back under the old title
    EXPECT_EQ(std::tuple(tabs(), oTabs->selectedIndex(), journaled()),
              std::tuple(QStringList{u"Welcome"_s, u"Plans"_s, u"Ideas"_s}, 2, 0));
    EXPECT_EQ(files.readPage(u"Plans.rtf"_s), page(u"!formatted", true));
    type(u"!"_s); // the page is kept in its new file
    action("mnuSave")->trigger();
    EXPECT_EQ(pageText(u"Plans.rtf"_s), txtPad->Text().toStdU16String());
}

TEST_F(MainWindowTest, RemoveOpensTheFirstPageAndKeepsTheOnlyOne)
{
    writePage(u"Welcome.rtf"_s, page(u"first"));
    start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    type(u"unsaved"_s);
    action("mnuRemoveTab")->trigger();
    // The first page opens; the removed page's file keeps the last edits.
    EXPECT_EQ(std::tuple(tabs(), oTabs->selectedIndex(), txtPad->Text(), pageText(u"Ideas.rtf"_s)),
              std::tuple(QStringList{u"Welcome"_s, u"Notes"_s}, 1, u"first"_s, u"unsaved"_s.toStdU16String()));
    action("mnuRemoveTab")->trigger();
    EXPECT_EQ(messageFrom([&] { action("mnuRemoveTab")->trigger(); }), u"You cannot remove the only tab."_s);
    EXPECT_EQ(tabs(), QStringList{u"Notes"_s});
}

TEST_F(MainWindowTest, SearchSelectsTheFirstMatchAndFindNextGoesOnToTheEnd)
{
    frmMain &w = start();
    txtPad->setText(u"xABCx abc aaaa"_s);
    for (const auto &[what, message] : {std::pair(u""_s, u"Please enter a value before searching"_s),
                                        std::pair(u"zzz"_s, u"Search string not found."_s)})
        EXPECT_EQ(answerDialog(what, action("mnuSearch"), true), message);
    answerDialog(u"abc"_s, action("mnuSearch"));
    EXPECT_EQ(std::pair(txtPad->SelStart(), txtPad->SelLength()), std::pair(6, 3));
    answerDialog(u"aa"_s, action("mnuSearch"), false, u"Search"_s);
    ui::setHeight(&w, 960); // a window left at its short height opens up for the match
    action("mnuNext")->trigger();
    EXPECT_NEAR(ui::Height(&w), 4755, 15);
    action("mnuNext")->trigger();
    EXPECT_EQ(txtPad->SelStart(), 12);
    EXPECT_EQ(messageFrom([&] { action("mnuNext")->trigger(); }), u"Reached end of document."_s);
    EXPECT_EQ(txtPad->SelStart(), 12);
}

TEST_F(MainWindowTest, EveryMenuShortcutWorksFromTheEditor)
{
    start();
    for (QAction *action : {action("mnuPrint"), action("mnuSave"), action("mnuExit"), action("mnuSearch"),
                            action("mnuNext"), action("mnuAddTab"), action("mnuRemoveTab"), action("mnuHelpTopics"),
                            Toolbar1->buttonAction(2), Toolbar1->buttonAction(3)}) {
        // Only the key's way to the command is under test here, not the command.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QSignalSpy fired(action, &QAction::triggered);
        txtPad->setFocus();
        QTest::keySequence(txtPad, action->shortcut());
        EXPECT_EQ(fired.count(), 1) << action->text().toStdString();
    }
}

TEST_F(MainWindowTest, FormattingAppliesToTheSelectionAndTheControlsFollowIt)
{
    start();
    txtPad->setFromDocument(
        {u"plain bold",
         {{0, 6, {"DejaVu Sans", 20, false, false, false}}, {6, 4, {"DejaVu Sans", 21, true, false, false}}}});
    txtPad->setSelStart(7);
    txtPad->flushSelChange();
    EXPECT_EQ(std::pair(Toolbar1->Value(1), cmbFontSize->currentText()), std::pair(1, u"10.5"_s));
    txtPad->setSelStart(0);
    txtPad->setSelLength(10);
    txtPad->flushSelChange();
    EXPECT_EQ(Toolbar1->Value(1), 1);   // mixed: the button stays
    Toolbar1->buttonWidget(1)->click(); // released: the whole selection plain
    EXPECT_EQ(txtPad->SelBold(), false);
    QTest::keySequence(txtPad, QKeySequence(Qt::CTRL | Qt::Key_B)); // as the button does
    EXPECT_EQ(std::pair(Toolbar1->Value(1), txtPad->SelBold()), std::pair(1, std::optional(true)));
    // Types `typed` over the box's text, then `key`: the keys go back to the page.
    const auto enter = [this](ui::ComboBox *box, const QString &typed, Qt::Key key) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, key);
        EXPECT_TRUE(txtPad->hasFocus());
    };
    // A font chosen from the list, or a size or font name typed and Enter, applies.
    for (ui::ComboBox *box : {cmbFont, cmbFontSize})
        enter(box, {}, Qt::Key_Down);
    EXPECT_EQ(txtPad->SelFontSize(), std::optional(cmbFontSize->currentText().toDouble()));
    for (const auto &[box, typed] : {std::pair(cmbFontSize, u"9"_s), std::pair(cmbFont, u"dejavu serif"_s)})
        enter(box, typed, Qt::Key_Return);
    txtPad->flushSelChange();
    EXPECT_EQ(std::tuple(txtPad->SelFontSize(), txtPad->SelFontName(), cmbFont->currentText()),
              std::tuple(std::optional(9.0), std::optional(u"DejaVu Serif"_s), u"DejaVu Serif"_s));
    // Junk and Enter, or Esc: the box shows the selection's value again (junk with a note), the keys go back.
    for (const auto &[box, typed] : {std::pair(cmbFontSize, u"abc"_s), std::pair(cmbFont, u"No Such Font"_s)})
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QToolTip::hideText();
            enter(box, typed, key);
            EXPECT_EQ(box->currentText(), box == cmbFont ? u"DejaVu Serif"_s : u"9"_s);
            EXPECT_TRUE(key != Qt::Key_Return
                        || QToolTip::text().startsWith(box == cmbFont ? u"No font"_s : u"A size"_s));
        }
}

TEST_F(MainWindowTest, EditKeysWorkAndTabsAreRenamedByADoubleClickAndKeepTheOrderDraggedInto)
{
    start({u"Welcome"_s, u"Notes"_s, u"Ideas"_s});
    type(u"one"_s);
    for (QAction *action : {action("mnuSelectAll"), action("mnuCut"), action("mnuPaste"), action("mnuUndo")})
        action->trigger();
    EXPECT_EQ(txtPad->Text(), u"");
    for (const QKeySequence &redo : action("mnuRedo")->shortcuts()) {
        QTest::keySequence(txtPad, redo);
        EXPECT_EQ(txtPad->Text(), u"one");
        action("mnuUndo")->trigger();
    }
    action("mnuRedo")->trigger();
    oTabs->moveTab(2, 0); // as a drag ends
    // Ideas moved with its tab.
    EXPECT_EQ(std::pair(PageList(store, files).load(), oTabs->selectedIndex()),
              std::pair(QStringList{u"Ideas"_s, u"Welcome"_s, u"Notes"_s}, 1));
    QTest::keySequence(txtPad, QKeySequence(Qt::CTRL | Qt::Key_PageDown)); // saves like a click
    EXPECT_EQ(pageText(u"Ideas.rtf"_s), u"one");
    QTest::keySequence(txtPad, QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    answerDialog(u" ideas "_s);
    const QPoint tab = oTabs->tabRect(0).center();
    QTest::mouseDClick(oTabs, Qt::LeftButton, {}, tab);
    QTest::mouseRelease(oTabs, Qt::LeftButton, {}, tab);
    EXPECT_EQ(std::tuple(tabs(), QFile::exists(u"ideas.rtf"_s), QFile::exists(u"Ideas.rtf"_s)),
              std::tuple(QStringList{u"ideas"_s, u"Welcome"_s, u"Notes"_s}, true, false));

    // The tab menu makes the tab under the pointer current, saving the page left, and offers the commands.
    type(u"two"_s);
    QStringList offered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            poll.stop();
            for (const QAction *action : menu->actions())
                offered << action->text();
            menu->setActiveAction(menu->actions().at(1));
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    poll.start(10);
    answerDialog(u"Plans"_s);
    const QPoint notes = oTabs->tabRect(2).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, notes, oTabs->mapToGlobal(notes));
    QApplication::sendEvent(oTabs, &rightClick);
    EXPECT_EQ(offered, (QStringList{u"Add &Tab"_s, u"Re&name Tab"_s, u"R&emove Tab"_s}));
    EXPECT_EQ(pageText(u"ideas.rtf"_s), u"onetwo"); // the page came back with its caret where it was left
    EXPECT_EQ(tabs(), (QStringList{u"ideas"_s, u"Welcome"_s, u"Plans"_s}));
}

} // namespace
