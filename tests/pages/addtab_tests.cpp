#include "pageops_fixture.h"

#include "pages/titlerules.h"
#include "ui/twips.h"

#include <QLabel>

using namespace jw;
using namespace jwtest;

namespace {

using AddTabTest = PageOpsTest;

const QString kDuplicateText = QStringLiteral("You cannot have two tabs with the same name.");
const QString kDuplicateTitle = QStringLiteral("Duplicate Titles");

// ------------------------------------------------------------------ the dialog

TEST_F(AddTabTest, DialogIsLaidOutAsAFixedToolWindowWithTheBoxFocused)
{
    frmMain &w = start();
    withAddDialog([&](frmAddTab &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add Tab"));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("Tab Name:"));
        EXPECT_EQ(d.cmdAdd->text(), QStringLiteral("Add"));
        EXPECT_EQ(d.cmdCancel->text(), QStringLiteral("Cancel"));
        EXPECT_TRUE(d.txtTitle->text().isEmpty());

        const Qt::WindowFlags flags = d.windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(d.minimumSize(), d.maximumSize());

        EXPECT_EQ(d.width(), ui::toPixelsX(&d, 3915));
        EXPECT_EQ(d.height(), ui::toPixelsY(&d, 1410));
        auto rect = [&](double l, double t, double wd, double h) {
            return QRect(ui::toPixelsX(&d, l), ui::toPixelsY(&d, t), ui::toPixelsX(&d, wd), ui::toPixelsY(&d, h));
        };
        EXPECT_EQ(d.Label1->geometry(), rect(120, 240, 975, 255));
        EXPECT_EQ(d.txtTitle->geometry(), rect(1320, 240, 1815, 285));
        EXPECT_EQ(d.cmdAdd->geometry(), rect(2040, 960, 855, 375));
        EXPECT_EQ(d.cmdCancel->geometry(), rect(3000, 960, 855, 375));

        // Neither button may take Enter for itself.
        for (QPushButton *button : {d.cmdAdd, d.cmdCancel}) {
            EXPECT_FALSE(button->isDefault());
            EXPECT_FALSE(button->autoDefault());
        }
        EXPECT_TRUE(waitUntil([&] { return d.txtTitle->hasFocus(); }));
        EXPECT_EQ(d.txtTitle->nextInFocusChain(), d.cmdAdd);
        EXPECT_EQ(d.cmdAdd->nextInFocusChain(), d.cmdCancel);
        // The dialog belongs to the main window: no taskbar entry of its own.
        EXPECT_EQ(d.parentWidget(), &w);
    });
}

TEST_F(AddTabTest, DialogStandsBesideTheMainWindowByThePlacementRule)
{
    frmMain &w = start();
    ui::setTop(&w, 1500);
    ui::setLeft(&w, 3990); // just below 4000: to the right
    settle();
    const double pixel = ui::twipsPerPixelX(&w);
    withAddDialog([&](frmAddTab &d) {
        EXPECT_NEAR(ui::Left(&d), ui::Left(&w) + 4770, pixel);
        EXPECT_NEAR(ui::Top(&d), ui::Top(&w), pixel);
    });

    ui::setLeft(&w, 6000); // room on the left
    settle();
    withAddDialog([&](frmAddTab &d) { EXPECT_NEAR(ui::Left(&d), ui::Left(&w) - 4000, pixel); });
}

// --------------------------------------------------------------- adding

TEST_F(AddTabTest, EnterAddsTheTitleAsLastPageAndTheCurrentPageStays)
{
    listPages({QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")});
    writePage(QStringLiteral("Notes.rtf"), plainPage(u"notes text"));
    frmMain &w = start();
    chooseTab(2);
    QTest::keyClicks(w.txtPad, QStringLiteral(" typed"));
    const QString shown = w.txtPad->Text();
    const QByteArray notesOnDisk = bytes(QStringLiteral("Notes.rtf"));

    withAddDialog([&](frmAddTab &d) {
        EXPECT_TRUE(typeAndPress(d.txtTitle, QStringLiteral("Shopping")).isEmpty());
        EXPECT_FALSE(d.isVisible());
    });

    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Notes=2"),
                                           QStringLiteral("Ideas=3"), QStringLiteral("Shopping=4")}));
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas"),
                                   QStringLiteral("Shopping")}));
    ASSERT_TRUE(exists(QStringLiteral("Shopping.rtf")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("Shopping.rtf"))).size(), 0);
    // The page is not opened: Notes is still current with its unsaved text.
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.txtPad->Text(), shown);
    EXPECT_TRUE(w.txtPad->document()->isModified());
    EXPECT_EQ(bytes(QStringLiteral("Notes.rtf")), notesOnDisk);
    EXPECT_EQ(switchEvents(), 0);
}

TEST_F(AddTabTest, TheAddButtonWorksLikeEnterAndTheNewTabCanBeOpened)
{
    frmMain &w = start();
    withAddDialog([&](frmAddTab &d) {
        QTest::keyClicks(d.txtTitle, QStringLiteral("A title far longer than ten letters"));
        EXPECT_EQ(d.txtTitle->text(), QStringLiteral("A title far longer than ten letters"));
        EXPECT_TRUE(clickAndRead(d.cmdAdd).isEmpty());
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(tabs().size(), 3);
    EXPECT_EQ(tabs().at(2), QStringLiteral("A title far longer than ten letters"));
    EXPECT_TRUE(exists(QStringLiteral("A title far longer than ten letters.rtf")));
    chooseTab(3);
    EXPECT_EQ(w.currentPageFile(), QStringLiteral("A title far longer than ten letters.rtf"));
    EXPECT_TRUE(w.txtPad->Text().isEmpty());
}

TEST_F(AddTabTest, TitlesThatDifferOnlyInCaseAreRefusedAndTheDialogStaysOpen)
{
    listPages({QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")});
    start();
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();
    for (const QString &title : {QStringLiteral("notes"), QStringLiteral("NOTES"), QStringLiteral("iDEAS")}) {
        withAddDialog([&](frmAddTab &d) {
            const auto messages = typeAndPress(d.txtTitle, title);
            ASSERT_EQ(messages.size(), 1);
            EXPECT_EQ(messages[0].text, kDuplicateText);
            EXPECT_EQ(messages[0].title, kDuplicateTitle);
            EXPECT_EQ(messages[0].buttons, 1);
            EXPECT_FALSE(messages[0].hasIcon);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.txtTitle->text(), title);
            // The button runs the same test.
            ASSERT_EQ(clickAndRead(d.cmdAdd).size(), 1);
            EXPECT_TRUE(d.isVisible());
        });
    }
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
}

TEST_F(AddTabTest, AnExistingFileOfTheTitleIsKeptAndShownWhenOpened)
{
    writePage(QStringLiteral("Old page.rtf"), formattedPage());
    const QByteArray before = bytes(QStringLiteral("Old page.rtf"));
    frmMain &w = start();
    withAddDialog([&](frmAddTab &d) { typeAndPress(d.txtTitle, QStringLiteral("Old page")); });
    EXPECT_EQ(bytes(QStringLiteral("Old page.rtf")), before);
    chooseTab(3);
    EXPECT_EQ(w.txtPad->toDocument(), formattedPage());
}

TEST_F(AddTabTest, ATrailingBlankMakesAnotherTitleStoredExactlyAsTyped)
{
    start();
    withAddDialog([&](frmAddTab &d) { typeAndPress(d.txtTitle, QStringLiteral("Shopping")); });
    withAddDialog([&](frmAddTab &d) {
        EXPECT_TRUE(typeAndPress(d.txtTitle, QStringLiteral("Shopping ")).isEmpty());
    });
    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Notes=2"),
                                           QStringLiteral("Shopping=3"), QStringLiteral("Shopping =4")}));
    EXPECT_TRUE(exists(QStringLiteral("Shopping.rtf")));
    EXPECT_TRUE(exists(QStringLiteral("Shopping .rtf")));
}

TEST_F(AddTabTest, AnEmptyPageListGivesTheNewPagePositionOne)
{
    start();
    for (const auto &entry : pageList())
        m_store->deleteEntry(kApp, kTabsSection, entry.first);
    ASSERT_FALSE(m_store->readSection(kApp, kTabsSection).has_value());
    withAddDialog([&](frmAddTab &d) { typeAndPress(d.txtTitle, QStringLiteral("Fresh")); });
    EXPECT_EQ(pageListText(), QStringList{QStringLiteral("Fresh=1")});
    EXPECT_EQ(m_window->oTabs->caption(1), QStringLiteral("Fresh"));
}

TEST_F(AddTabTest, TitlesThatCannotBePortableFileNamesAreRefusedBeforeAnythingIsStored)
{
    start();
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();
    const QString refused[] = {QString(), QStringLiteral("a/b"), QStringLiteral("back\\slash"),
                               QStringLiteral("why?"), QStringLiteral("con.txt"), QStringLiteral("Aux "),
                               QStringLiteral("LPT1"), QString(252, u'x')};
    for (const QString &title : refused) {
        withAddDialog([&](frmAddTab &d) {
            d.txtTitle->setText(title); // also what a paste would give
            const auto messages = clickAndRead(d.cmdAdd);
            ASSERT_EQ(messages.size(), 1) << title.toStdString();
            EXPECT_EQ(messages[0].title, kInvalidTitleCaption);
            EXPECT_EQ(messages[0].text, titleProblemText(checkTitle(title), title));
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.txtTitle->text(), title);
        });
    }
    // A control character cannot be typed into the box, but can be pasted.
    withAddDialog([&](frmAddTab &d) {
        d.txtTitle->setText(QStringLiteral("tab\there"));
        const auto messages = clickAndRead(d.cmdAdd);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].text, titleProblemText(TitleProblem::ControlCharacter, {}));
    });
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes")}));
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
}

// ----------------------------------------------------- leaving without adding

TEST_F(AddTabTest, EscapeCancelAndTheCloseBoxStoreNothing)
{
    start();
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();

    withAddDialog([&](frmAddTab &d) {
        const auto messages = typeAndPress(d.txtTitle, QStringLiteral("Escaped"), Qt::Key_Escape);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.txtTitle->text(), QStringLiteral("Escaped"));
        // Escape on a button does not close the dialog either, nor does Enter there.
        QTest::keyClick(d.cmdAdd, Qt::Key_Escape);
        QTest::keyClick(d.cmdCancel, Qt::Key_Return);
        QTest::keyClick(d.cmdAdd, Qt::Key_Enter);
        settle();
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    withAddDialog([&](frmAddTab &d) {
        QTest::keyClicks(d.txtTitle, QStringLiteral("Closed"));
        EXPECT_TRUE(d.close()); // the close box
        EXPECT_FALSE(d.isVisible());
    });
    // Each opening starts with an empty box.
    withAddDialog([&](frmAddTab &d) { EXPECT_TRUE(d.txtTitle->text().isEmpty()); });

    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes")}));
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
}

TEST_F(AddTabTest, CtrlTOpensTheDialog)
{
    frmMain &w = start();
    w.txtPad->setFocus();
    bool opened = false;
    onNextModal([&](QWidget *modal) { opened = qobject_cast<frmAddTab *>(modal) != nullptr; });
    QTest::keyClick(w.txtPad, Qt::Key_T, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(opened);
    EXPECT_EQ(tabs().size(), 2);
}

} // namespace
