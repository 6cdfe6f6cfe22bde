#include "pageops_fixture.h"

#include "pages/titlerules.h"
#include "ui/twips.h"

#include <QLabel>

using namespace jw;
using namespace jwtest;

namespace {

class RenameTabTest : public PageOpsTest {
protected:
    /// Welcome, Notes, Ideas with Notes current showing `notes`.
    frmMain &startOnNotes(const rtf::Document &notes)
    {
        listPages({QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")});
        writePage(QStringLiteral("Welcome.rtf"), plainPage(u"welcome text"));
        writePage(QStringLiteral("Notes.rtf"), notes);
        writePage(QStringLiteral("Ideas.rtf"), plainPage(u"ideas text"));
        frmMain &w = start();
        chooseTab(2);
        return w;
    }
};

const QString kDuplicateText = QStringLiteral("Cannot have two tabs with the same name.");
const QString kDuplicateTitle = QStringLiteral("Duplicate Tab Name");

TEST_F(RenameTabTest, DialogIsLaidOutAsAFixedToolWindowWithTheBoxFocused)
{
    frmMain &w = start();
    withRenameDialog([&](frmRenameTab &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Rename Tab"));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("New Name:"));
        EXPECT_EQ(d.cmdRename->text(), QStringLiteral("Rename"));
        EXPECT_EQ(d.cmdCancel->text(), QStringLiteral("Cancel"));
        // Not filled with the current title.
        EXPECT_TRUE(d.txtName->text().isEmpty());

        const Qt::WindowFlags flags = d.windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(d.minimumSize(), d.maximumSize());

        EXPECT_EQ(d.width(), ui::toPixelsX(&d, 3120));
        EXPECT_EQ(d.height(), ui::toPixelsY(&d, 1305));
        auto rect = [&](double l, double t, double wd, double h) {
            return QRect(ui::toPixelsX(&d, l), ui::toPixelsY(&d, t), ui::toPixelsX(&d, wd), ui::toPixelsY(&d, h));
        };
        EXPECT_EQ(d.Label1->geometry(), rect(120, 120, 975, 255));
        EXPECT_EQ(d.txtName->geometry(), rect(1200, 60, 1815, 375));
        EXPECT_EQ(d.cmdCancel->geometry(), rect(2160, 840, 855, 375));
        EXPECT_EQ(d.cmdRename->geometry(), rect(1200, 840, 855, 375));

        for (QPushButton *button : {d.cmdRename, d.cmdCancel}) {
            EXPECT_FALSE(button->isDefault());
            EXPECT_FALSE(button->autoDefault());
        }
        EXPECT_TRUE(waitUntil([&] { return d.txtName->hasFocus(); }));
        EXPECT_EQ(d.txtName->nextInFocusChain(), d.cmdCancel);
        EXPECT_EQ(d.cmdCancel->nextInFocusChain(), d.cmdRename);
        EXPECT_EQ(d.parentWidget(), &w);
    });
}

TEST_F(RenameTabTest, DialogMovesHigherUpNearTheBottomOfTheScreen)
{
    frmMain &w = start();
    const double screen = ui::ScreenHeight(&w);
    ui::setLeft(&w, 300);
    ui::setTop(&w, screen - 1700); // below the 1725 line
    settle();
    const double pixel = ui::twipsPerPixelY(&w);
    withRenameDialog([&](frmRenameTab &d) {
        EXPECT_NEAR(ui::Top(&d), ui::Top(&w) + 960 - 1725, pixel);
        EXPECT_NEAR(ui::Left(&d), ui::Left(&w) + 4770, pixel);
    });
}

TEST_F(RenameTabTest, RenameKeepsPlaceAndFormattingAndWritesTheNewFileAtOnce)
{
    frmMain &w = startOnNotes(formattedPage());
    const QByteArray notesOnDisk = bytes(QStringLiteral("Notes.rtf"));
    const QByteArray welcomeOnDisk = bytes(QStringLiteral("Welcome.rtf"));
    const QByteArray ideasOnDisk = bytes(QStringLiteral("Ideas.rtf"));
    // An unsaved bold word at the end.
    QTextCursor cursor(w.txtPad->document());
    cursor.movePosition(QTextCursor::End);
    w.txtPad->setTextCursor(cursor);
    w.txtPad->setSelBold(true);
    QTest::keyClicks(w.txtPad, QStringLiteral(" new"));
    const rtf::Document edited = w.txtPad->toDocument();
    ASSERT_NE(edited, formattedPage());

    withRenameDialog([&](frmRenameTab &d) {
        EXPECT_TRUE(typeAndPress(d.txtName, QStringLiteral("Plans")).isEmpty());
        EXPECT_FALSE(d.isVisible());
    });

    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Plans"), QStringLiteral("Ideas")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.currentPageFile(), QStringLiteral("Plans.rtf"));
    EXPECT_EQ(m_store->readOne(kApp, kTabsSection, QStringLiteral("Plans")), QStringLiteral("2"));
    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Ideas=3"),
                                           QStringLiteral("Plans=2")}));
    // Formatting survives in the editor and in the new file, which has it already.
    EXPECT_EQ(w.txtPad->toDocument(), edited);
    EXPECT_EQ(page(QStringLiteral("Plans.rtf")), edited);
    EXPECT_FALSE(w.txtPad->document()->isModified());
    // The old file stays as it was; the other pages are not touched.
    EXPECT_EQ(bytes(QStringLiteral("Notes.rtf")), notesOnDisk);
    EXPECT_EQ(bytes(QStringLiteral("Welcome.rtf")), welcomeOnDisk);
    EXPECT_EQ(bytes(QStringLiteral("Ideas.rtf")), ideasOnDisk);
    // Program changes of the strip are not page switches.
    EXPECT_EQ(switchEvents(), 0);
}

TEST_F(RenameTabTest, TheRenameButtonWorksLikeEnter)
{
    frmMain &w = startOnNotes(plainPage(u"notes text"));
    withRenameDialog([&](frmRenameTab &d) {
        QTest::keyClicks(d.txtName, QStringLiteral("Plans"));
        EXPECT_TRUE(clickAndRead(d.cmdRename).isEmpty());
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Plans"), QStringLiteral("Ideas")}));
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("notes text"));
}

TEST_F(RenameTabTest, AnExistingFileOfTheNewNameReceivesThePage)
{
    writePage(QStringLiteral("Plans.rtf"), plainPage(u"an old page of that name"));
    frmMain &w = startOnNotes(formattedPage());
    withRenameDialog([&](frmRenameTab &d) { typeAndPress(d.txtName, QStringLiteral("Plans")); });
    EXPECT_EQ(page(QStringLiteral("Plans.rtf")), formattedPage());
    EXPECT_EQ(w.txtPad->toDocument(), formattedPage());
}

TEST_F(RenameTabTest, AddingTheOldTitleLaterShowsWhatWasLastSavedUnderIt)
{
    frmMain &w = startOnNotes(plainPage(u"saved under Notes"));
    QTest::keyClicks(w.txtPad, QStringLiteral("unsaved "));
    withRenameDialog([&](frmRenameTab &d) { typeAndPress(d.txtName, QStringLiteral("Plans")); });
    withAddDialog([&](frmAddTab &d) { typeAndPress(d.txtTitle, QStringLiteral("Notes")); });
    ASSERT_EQ(tabs().size(), 4);
    chooseTab(4);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("saved under Notes"));
    chooseTab(2);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("unsaved saved under Notes"));
}

TEST_F(RenameTabTest, NamesEqualToAnyTabApartFromCaseAreRefused)
{
    frmMain &w = startOnNotes(formattedPage());
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();
    // The current tab takes part too.
    for (const QString &name : {QStringLiteral("notes"), QStringLiteral("NOTES"), QStringLiteral("welcome"),
                                QStringLiteral("IDEAS"), QStringLiteral("Notes")}) {
        withRenameDialog([&](frmRenameTab &d) {
            const auto messages = typeAndPress(d.txtName, name);
            ASSERT_EQ(messages.size(), 1) << name.toStdString();
            EXPECT_EQ(messages[0].text, kDuplicateText);
            EXPECT_EQ(messages[0].title, kDuplicateTitle);
            EXPECT_EQ(messages[0].buttons, 1);
            EXPECT_FALSE(messages[0].hasIcon);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.txtName->text(), name);
            ASSERT_EQ(clickAndRead(d.cmdRename).size(), 1);
            EXPECT_TRUE(d.isVisible());
        });
    }
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
    EXPECT_EQ(w.txtPad->toDocument(), formattedPage());
}

TEST_F(RenameTabTest, NamesThatCannotBePortableFileNamesChangeNothing)
{
    frmMain &w = startOnNotes(formattedPage());
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();
    for (const QString &name : {QString(), QStringLiteral("a:b"), QStringLiteral("<html>"), QStringLiteral("prn"),
                                QStringLiteral("com4.notes"), QStringLiteral("x\ny"), QString(300, u'n')}) {
        withRenameDialog([&](frmRenameTab &d) {
            d.txtName->setText(name);
            const auto messages = clickAndRead(d.cmdRename);
            ASSERT_EQ(messages.size(), 1) << name.toStdString();
            EXPECT_EQ(messages[0].title, kInvalidTitleCaption);
            EXPECT_EQ(messages[0].text, titleProblemText(checkTitle(name), name));
            EXPECT_TRUE(d.isVisible());
        });
    }
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
    EXPECT_EQ(w.txtPad->toDocument(), formattedPage());
}

TEST_F(RenameTabTest, EscapeCancelAndTheCloseBoxChangeNothing)
{
    frmMain &w = startOnNotes(formattedPage());
    const QStringList listBefore = pageListText();
    const QStringList filesBefore = folder();
    withRenameDialog([&](frmRenameTab &d) {
        EXPECT_TRUE(typeAndPress(d.txtName, QStringLiteral("Escaped"), Qt::Key_Escape).isEmpty());
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(d.cmdRename, Qt::Key_Escape);
        QTest::keyClick(d.cmdRename, Qt::Key_Return);
        settle();
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    withRenameDialog([&](frmRenameTab &d) {
        QTest::keyClicks(d.txtName, QStringLiteral("Closed"));
        EXPECT_TRUE(d.close());
    });
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes"), QStringLiteral("Ideas")}));
    EXPECT_EQ(pageListText(), listBefore);
    EXPECT_EQ(folder(), filesBefore);
    EXPECT_EQ(w.txtPad->toDocument(), formattedPage());
}

TEST_F(RenameTabTest, ATabThePageListDoesNotPlaceIsNotRenamed)
{
    // "Notes" stands second among the tabs but the list has no number for it.
    m_store->write(kApp, kTabsSection, QStringLiteral("Welcome"), QStringLiteral("1"));
    m_store->write(kApp, kTabsSection, QStringLiteral("Notes"), QStringLiteral("2"));
    frmMain &w = start();
    m_store->write(kApp, kTabsSection, QStringLiteral("Notes"), QStringLiteral("x"));
    withRenameDialog([&](frmRenameTab &d) {
        const auto messages = typeAndPress(d.txtName, QStringLiteral("Plans"));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("\"Notes\"")));
    });
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes")}));
    EXPECT_EQ(pageListText(), (QStringList{QStringLiteral("Welcome=1"), QStringLiteral("Notes=x")}));
    EXPECT_FALSE(exists(QStringLiteral("Plans.rtf")));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
}

} // namespace
