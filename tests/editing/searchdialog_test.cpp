// The search dialog and Find Next on a started main window.
#include "searchwindows_fixture.h"

#include "editing/frmsearch.h"
#include "base/placement.h"
#include "ui/twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace jw;
using namespace jwtest;

namespace {

class SearchTest : public MainWindowFixture {
protected:
    /// Opens the dialog with Search, runs `inside` while it is open, and
    /// returns whether the dialog was still open after `inside`.
    bool withDialog(const std::function<void(frmSearch &)> &inside)
    {
        bool stillOpen = false;
        ModalWatch watch = watchModal<frmSearch>([&](frmSearch &dialog) {
            inside(dialog);
            stillOpen = dialog.isVisible();
            if (stillOpen)
                dialog.close();
        });
        m_window->mnuSearch_Click();
        EXPECT_TRUE(watch.seen());
        return stillOpen;
    }

    /// A dialog search for `what`, typed and confirmed with Enter; returns
    /// the message it showed, if any.
    SeenMessage search(const QString &what)
    {
        SeenMessage message;
        withDialog([&](frmSearch &dialog) {
            ModalWatch told = watchMessage(message);
            QTest::keyClicks(dialog.txtSearch, what);
            QTest::keyClick(dialog.txtSearch, Qt::Key_Return);
        });
        return message;
    }

    /// Find Next; returns the message it showed, if any.
    SeenMessage next()
    {
        SeenMessage message;
        ModalWatch told = watchMessage(message);
        m_window->mnuNext_Click();
        return message;
    }

    int selStart() const { return m_window->txtPad->SelStart(); }
    int selLength() const { return m_window->txtPad->SelLength(); }
};

// ------------------------------------------------------------------ dialog

TEST_F(SearchTest, DialogIsLaidOutAsAFixedModalToolWindowBesideTheMainWindow)
{
    frmMain &w = start();
    ui::setTop(&w, 1500);
    ui::setLeft(&w, 3000);
    settle();
    withDialog([&](frmSearch &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Jotwell Search"));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("Enter text for which to search..."));
        EXPECT_EQ(d.cmdSearch->text(), QStringLiteral("Search"));
        EXPECT_TRUE(d.txtSearch->text().isEmpty());
        EXPECT_FALSE(d.cmdSearch->isDefault());
        EXPECT_FALSE(d.cmdSearch->autoDefault());

        auto expectPlaced = [&](QWidget *control, int left, int top, int width, int height) {
            EXPECT_EQ(control->geometry(), QRect(ui::toPixelsX(&d, left), ui::toPixelsY(&d, top),
                                                 ui::toPixelsX(&d, width), ui::toPixelsY(&d, height)))
                << control->metaObject()->className();
        };
        // The label keeps its place and grows to the right only as far as its text needs.
        const QRect label = d.Label1->geometry();
        EXPECT_EQ(label.topLeft(), QPoint(ui::toPixelsX(&d, 120), ui::toPixelsY(&d, 120)));
        EXPECT_EQ(label.height(), ui::toPixelsY(&d, 375));
        EXPECT_GE(label.width(), ui::toPixelsX(&d, 2415));
        EXPECT_LE(label.right(), d.width());
        EXPECT_TRUE(label.width() == ui::toPixelsX(&d, 2415) ||
                    label.width() <= d.Label1->fontMetrics().horizontalAdvance(d.Label1->text()) + 4);
        expectPlaced(d.txtSearch, 120, 600, 2415, 375);
        expectPlaced(d.cmdSearch, 2880, 600, 975, 495);
        const QSize client(ui::toPixelsX(&d, 3870), ui::toPixelsY(&d, 1320));
        EXPECT_EQ(d.size(), client);
        EXPECT_EQ(d.minimumSize(), client);
        EXPECT_EQ(d.maximumSize(), client);

        const Qt::WindowFlags flags = d.windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowModality(), Qt::ApplicationModal);

        const Corner expected = dialogPlacement({ui::Top(&w), ui::Left(&w)}, ui::ScreenHeight(&w));
        EXPECT_DOUBLE_EQ(ui::Top(&d), expected.top);
        EXPECT_DOUBLE_EQ(ui::Left(&d), expected.left);
        EXPECT_TRUE(waitUntil([&] { return d.txtSearch->hasFocus(); }));
    });
}

TEST_F(SearchTest, EnterInTheBoxSelectsTheFirstExactMatchAndClosesTheDialog)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("xABCx abc")));
    const SeenMessage message = search(QStringLiteral("abc"));
    EXPECT_TRUE(message.text.isEmpty());
    EXPECT_EQ(selStart(), 6);
    EXPECT_EQ(selLength(), 3);
    EXPECT_EQ(w.iCursor, 7);
    EXPECT_EQ(w.vSearch, QStringLiteral("abc"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(w.findChild<frmSearch *>());
    EXPECT_TRUE(waitUntil([&] { return w.isActiveWindow(); }));
}

TEST_F(SearchTest, SearchButtonDoesWhatEnterDoesAndEachOpeningStartsEmpty)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("one two three")));
    const bool open = withDialog([&](frmSearch &d) {
        QTest::keyClicks(d.txtSearch, QStringLiteral("three"));
        QTest::mouseClick(d.cmdSearch, Qt::LeftButton);
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(selStart(), 8);
    EXPECT_EQ(selLength(), 5);
    EXPECT_EQ(w.iCursor, 9);
    withDialog([&](frmSearch &d) { EXPECT_TRUE(d.txtSearch->text().isEmpty()); });
}

TEST_F(SearchTest, AnEmptyBoxIsRefusedAndTheDialogStaysOpen)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("abc")));
    SeenMessage byEnter;
    SeenMessage byButton;
    const bool open = withDialog([&](frmSearch &d) {
        {
            ModalWatch told = watchMessage(byEnter);
            QTest::keyClick(d.txtSearch, Qt::Key_Return);
        }
        EXPECT_TRUE(d.isVisible());
        ModalWatch told = watchMessage(byButton);
        QTest::mouseClick(d.cmdSearch, Qt::LeftButton);
    });
    EXPECT_TRUE(open);
    for (const SeenMessage &m : {byEnter, byButton}) {
        EXPECT_EQ(m.text, QStringLiteral("Please enter a value before searching"));
        EXPECT_EQ(m.title, QStringLiteral("Empty Search"));
        EXPECT_EQ(m.buttons, 1);
        EXPECT_FALSE(m.hasIcon);
    }
    EXPECT_EQ(w.iCursor, 0);
    EXPECT_TRUE(w.vSearch.isEmpty());
}

TEST_F(SearchTest, NotFoundTellsTheUserClosesAndKeepsTheLastSearch)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("abc abc")));
    search(QStringLiteral("abc"));
    ASSERT_EQ(w.iCursor, 1);
    const SeenMessage message = search(QStringLiteral("ABC"));
    EXPECT_EQ(message.text, QStringLiteral("Search string not found."));
    EXPECT_EQ(message.title, QStringLiteral("Jotwell Pro"));
    EXPECT_EQ(message.buttons, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(w.iCursor, 1);
    EXPECT_EQ(w.vSearch, QStringLiteral("abc"));
    // Find Next goes on with the last search that found something.
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(selStart(), 4);
    EXPECT_EQ(w.iCursor, 5);
}

TEST_F(SearchTest, EscapeLeavesTheDialogOpenAndTheCloseBoxSearchesNothing)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("abc")));
    bool afterEscape = false;
    const bool open = withDialog([&](frmSearch &d) {
        QTest::keyClicks(d.txtSearch, QStringLiteral("abc"));
        QTest::keyClick(d.txtSearch, Qt::Key_Escape);
        afterEscape = d.isVisible();
        d.close();
    });
    EXPECT_TRUE(afterEscape);
    EXPECT_FALSE(open);
    EXPECT_EQ(w.iCursor, 0);
    EXPECT_EQ(selLength(), 0);
}

TEST_F(SearchTest, ControlEOpensTheDialogFromTheEditor)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("find me")));
    w.txtPad->setFocus();
    ModalWatch watch = watchModal<frmSearch>([&](frmSearch &d) {
        QTest::keyClicks(d.txtSearch, QStringLiteral("me"));
        QTest::keyClick(d.txtSearch, Qt::Key_Enter); // the keypad's Enter
    });
    QTest::keyClick(w.txtPad, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([&] { return watch.seen() && !QApplication::activeModalWidget(); }));
    EXPECT_EQ(selStart(), 5);
    EXPECT_EQ(selLength(), 2);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("find me"));
}

// --------------------------------------------------------------- find next

TEST_F(SearchTest, FindNextVisitsOverlappingMatchesAndStopsAtTheEnd)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("aaaa")));
    search(QStringLiteral("aa"));
    EXPECT_EQ(selStart(), 0);
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(selStart(), 1);
    // Find Next hands the keyboard to the editor.
    w.oTabs->setFocus();
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(selStart(), 2);
    EXPECT_EQ(w.iCursor, 3);
    EXPECT_EQ(w.focusWidget(), w.txtPad);

    for (int i = 0; i < 2; ++i) {
        const SeenMessage end = next();
        EXPECT_EQ(end.text, QStringLiteral("Reached end of document."));
        EXPECT_EQ(end.title, QStringLiteral("Jotwell Pro"));
        EXPECT_EQ(selStart(), 2);
        EXPECT_EQ(selLength(), 2);
        EXPECT_EQ(w.iCursor, 3);
        EXPECT_EQ(w.vSearch, QStringLiteral("aa"));
    }
    // A new dialog search starts again at the beginning.
    search(QStringLiteral("aa"));
    EXPECT_EQ(selStart(), 0);
    EXPECT_EQ(w.iCursor, 1);
}

TEST_F(SearchTest, ASingleMatchThenFindNextKeepsTheSelection)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("only once here")));
    search(QStringLiteral("once"));
    EXPECT_EQ(next().text, QStringLiteral("Reached end of document."));
    EXPECT_EQ(selStart(), 5);
    EXPECT_EQ(selLength(), 4);
    EXPECT_EQ(w.iCursor, 6);
}

TEST_F(SearchTest, FindNextBeforeAnySearchOpensTheDialog)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("abc")));
    w.txtPad->setSelStart(1);
    {
        ModalWatch watch = watchModal<frmSearch>([](frmSearch &d) { d.close(); });
        w.mnuNext_Click();
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_EQ(selStart(), 1);
    EXPECT_EQ(selLength(), 0);
    EXPECT_EQ(w.iCursor, 0);

    // The dialog it opens searches as usual.
    ModalWatch watch = watchModal<frmSearch>([](frmSearch &d) {
        QTest::keyClicks(d.txtSearch, QStringLiteral("bc"));
        QTest::keyClick(d.txtSearch, Qt::Key_Return);
    });
    activate();
    QTest::keyClick(w.txtPad, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([&] { return w.iCursor == 2; }));
    EXPECT_EQ(selStart(), 1);
    EXPECT_EQ(selLength(), 2);
}

TEST_F(SearchTest, TheSearchStateSurvivesEditsAndPageSwitches)
{
    // The first start's two pages: "Welcome", and "Notes" as the current one.
    saveRtfFile(path(QStringLiteral("Welcome.rtf")), page(QStringLiteral("cat cat cat dog cat")));
    saveRtfFile(path(QStringLiteral("Notes.rtf")), page(QStringLiteral("a cat and a cat")));
    frmMain &w = start();
    ASSERT_EQ(w.txtPad->Text(), QStringLiteral("a cat and a cat"));
    search(QStringLiteral("cat"));
    EXPECT_EQ(w.iCursor, 3);

    // Edits do not reset the position: Find Next goes on from the same number.
    w.txtPad->setSelStart(0);
    QTest::keyClicks(w.txtPad, QStringLiteral("cat "));
    ASSERT_EQ(w.txtPad->Text(), QStringLiteral("cat a cat and a cat"));
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(w.iCursor, 7);

    // On another page it searches that page from the old position + 1.
    clickTab(1);
    ASSERT_EQ(w.txtPad->Text(), QStringLiteral("cat cat cat dog cat"));
    EXPECT_EQ(w.vSearch, QStringLiteral("cat"));
    EXPECT_EQ(w.iCursor, 7);
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(w.iCursor, 9);
    EXPECT_EQ(selStart(), 8);
    EXPECT_EQ(selLength(), 3);
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(selStart(), 16);
    EXPECT_EQ(next().text, QStringLiteral("Reached end of document."));
}

TEST_F(SearchTest, MatchesFarBeyondSixteenBitPositionsAreFoundAndSelected)
{
    frmMain &w = start();
    QString text(40000, u'x');
    text += QStringLiteral("mark");
    text += QString(30000, u'y');
    text += QStringLiteral("mark");
    setPage(page(text));
    search(QStringLiteral("mark"));
    EXPECT_EQ(w.iCursor, 40001);
    EXPECT_EQ(selStart(), 40000);
    EXPECT_EQ(selLength(), 4);
    EXPECT_EQ(w.txtPad->SelText(), QStringLiteral("mark"));
    EXPECT_TRUE(next().text.isEmpty());
    EXPECT_EQ(w.iCursor, 70005);
    EXPECT_EQ(selStart(), 70004);
    EXPECT_EQ(w.txtPad->SelText(), QStringLiteral("mark"));
    EXPECT_EQ(next().text, QStringLiteral("Reached end of document."));
}

TEST_F(SearchTest, PositionsMatchTheEditorAcrossBreaksAndWideCharacters)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("line one\n\U0001F600 two\nend two")));
    search(QStringLiteral("two"));
    EXPECT_EQ(w.txtPad->SelText(), QStringLiteral("two"));
    EXPECT_EQ(selStart(), 12);
    next();
    EXPECT_EQ(w.txtPad->SelText(), QStringLiteral("two"));
    EXPECT_EQ(selStart(), 20);
}

TEST_F(SearchTest, FindNextFirstRestoresAWindowShrunkToTheShortHeight)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("aa aa")));
    search(QStringLiteral("aa"));

    ui::setHeight(&w, w.iShortHeight);
    ASSERT_TRUE(waitUntil([&] { return ui::Height(&w) == 960.0; }));
    next();
    EXPECT_TRUE(waitUntil([&] { return ui::Height(&w) == 4755.0; }));
    EXPECT_EQ(selStart(), 3);

    // Any other height is left alone, even when nothing more is found.
    ui::setHeight(&w, 1500);
    ASSERT_TRUE(waitUntil([&] { return ui::Height(&w) == 1500.0; }));
    next();
    settle();
    EXPECT_EQ(ui::Height(&w), 1500.0);

    // Also before any search, when Find Next opens the dialog instead.
    w.vSearch.clear();
    ui::setHeight(&w, 960);
    ASSERT_TRUE(waitUntil([&] { return ui::Height(&w) == 960.0; }));
    ModalWatch watch = watchModal<frmSearch>([](frmSearch &d) { d.close(); });
    w.mnuNext_Click();
    EXPECT_TRUE(watch.seen());
    EXPECT_TRUE(waitUntil([&] { return ui::Height(&w) == 4755.0; }));
}

} // namespace
