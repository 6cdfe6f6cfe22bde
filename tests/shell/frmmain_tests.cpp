#include "richtext/rtffile.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "dialogs/frmsplash.h"
#include "shell/frmmain.h"
#include "base/settingsstore.h"
#include "support/qtwait.h"
#include "ui/combobox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace jw;

namespace {

rtf::Document doc(std::u16string text, std::vector<rtf::Run> runs = {})
{
    rtf::Document d{std::move(text), std::move(runs)};
    if (d.runs.empty() && !d.text.empty())
        d.runs.push_back({0, d.text.size(), {"DejaVu Sans", 20, false, false, false}});
    return d;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("config/jotwell/settings.json")));
        m_files = std::make_unique<PageFiles>(m_dir.path());
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->hide();
            m_window.reset();
        }
        QDir::setCurrent(QDir::tempPath());
    }

    frmMain &start()
    {
        m_window = std::make_unique<frmMain>(*m_store, *m_files);
        m_window->Form_Load();
        m_visibleAfterLoad = m_window->isVisible();
        // The splash's course is tested with the mini window; here the user opens the pad at once.
        delete m_window->splash();
        m_window->show();
        m_window->activateWindow();
        jwtest::settle();
        return *m_window;
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool exists(const QString &name) const { return QFile::exists(path(name)); }
    rtf::Document page(const QString &name) const { return loadRtfFile(path(name)); }
    void writePage(const QString &name, const rtf::Document &d) const { saveRtfFile(path(name), d); }
    QStringList tabs() const
    {
        QStringList captions;
        for (int i = 1; i <= m_window->oTabs->count(); ++i)
            captions << m_window->oTabs->caption(i);
        return captions;
    }
    void clickTab(int index)
    {
        auto *bar = m_window->oTabs;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index - 1).center());
        jwtest::settle();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<PageFiles> m_files;
    std::unique_ptr<frmMain> m_window;
    bool m_visibleAfterLoad = true;
};

// ------------------------------------------------------------------ start-up

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderCreatesTheDefaultPages)
{
    frmMain &w = start();
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QStringLiteral("Notes")}));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.currentPageFile(), QStringLiteral("Notes.rtf"));
    ASSERT_TRUE(exists(QStringLiteral("Notes.rtf")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("Notes.rtf"))).size(), 0);
    EXPECT_FALSE(exists(QStringLiteral("Welcome.rtf")));
    const auto list = m_store->readSection(kApp, kTabsSection);
    ASSERT_TRUE(list);
    EXPECT_EQ(*list, defaultPageList());
    EXPECT_FALSE(m_visibleAfterLoad);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Jotwell Pro"));
}

TEST_F(MainWindowTest, APageListValueThatIsNotAPositionLeavesItsTabWithoutCaption)
{
    m_store->write(kApp, kTabsSection, QStringLiteral("Welcome"), QStringLiteral("1"));
    m_store->write(kApp, kTabsSection, QStringLiteral("Notes"), QStringLiteral("x"));
    m_store->write(kApp, kTabsSection, QStringLiteral("Ideas"), QStringLiteral("7"));
    frmMain &w = start();
    EXPECT_EQ(tabs(), (QStringList{QStringLiteral("Welcome"), QString(), QString()}));
    // The captionless last tab is current: its page file is ".rtf" alone.
    EXPECT_EQ(w.currentPageFile(), QStringLiteral(".rtf"));
    EXPECT_TRUE(exists(QStringLiteral(".rtf")));
}

TEST_F(MainWindowTest, ASinglePageListEntryGivesOneTab)
{
    m_store->write(kApp, kTabsSection, QStringLiteral("Only"), QStringLiteral("1"));
    writePage(QStringLiteral("Only.rtf"), doc(u"kept text"));
    frmMain &w = start();
    EXPECT_EQ(tabs(), QStringList{QStringLiteral("Only")});
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("kept text"));
}

TEST_F(MainWindowTest, OldDatPagesAreConvertedBeforeTheyAreLoaded)
{
    m_store->write(kApp, kTabsSection, QStringLiteral("Notes"), QStringLiteral("1"));
    writePage(QStringLiteral("Notes.rtf"), doc(u"stale"));
    writePage(QStringLiteral("Notes.dat"), doc(u"from the old file"));
    frmMain &w = start();
    EXPECT_FALSE(exists(QStringLiteral("Notes.dat")));
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("from the old file"));
}

TEST_F(MainWindowTest, PositionIsRestoredFromFourEntries)
{
    m_store->writeEntries(kApp, kPositionSection,
                          {{QStringLiteral("Top"), QStringLiteral("1500")},
                           {QStringLiteral("Left"), QStringLiteral("3000")},
                           {QStringLiteral("Width"), QStringLiteral("6000")},
                           {QStringLiteral("Height"), QStringLiteral("5250")}});
    frmMain &w = start();
    const double onePixel = ui::twipsPerPixelX(&w);
    EXPECT_NEAR(ui::Top(&w), 1500, onePixel);
    EXPECT_NEAR(ui::Left(&w), 3000, onePixel);
    EXPECT_NEAR(ui::Width(&w), 6000, onePixel);
    EXPECT_NEAR(ui::Height(&w), 5250, onePixel);
}

TEST_F(MainWindowTest, OnlyTopAndLeftKeepTheDesignedSize)
{
    m_store->writeEntries(kApp, kPositionSection,
                          {{QStringLiteral("Top"), QStringLiteral("600")}, {QStringLiteral("Left"), QStringLiteral("900")}});
    frmMain &w = start();
    const double onePixel = ui::twipsPerPixelX(&w);
    EXPECT_NEAR(ui::Top(&w), 600, onePixel);
    EXPECT_NEAR(ui::Left(&w), 900, onePixel);
    // The designed client area: 4680 x 4515 twips below the menu bar.
    EXPECT_NEAR(ui::ScaleWidth(w.centralWidget()), 4680, onePixel);
    EXPECT_NEAR(ui::ScaleHeight(w.centralWidget()), 4515, onePixel);
}

TEST_F(MainWindowTest, NoPositionPlacesTheWindowAtTheTopLeftCorner)
{
    frmMain &w = start();
    EXPECT_LT(ui::Top(&w), ui::twipsPerPixelY(&w));
    EXPECT_LT(ui::Left(&w), ui::twipsPerPixelX(&w));
}

// ------------------------------------------------------- position recording

TEST_F(MainWindowTest, ARepaintRecordsThePositionAndAnUnchangedOneWritesNothing)
{
    frmMain &w = start();
    ASSERT_TRUE(jwtest::waitUntil([&] { return m_store->readSection(kApp, kPositionSection).has_value(); }));
    const auto entries = *m_store->readSection(kApp, kPositionSection);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].first, QStringLiteral("Top"));
    EXPECT_EQ(entries[1].first, QStringLiteral("Left"));
    EXPECT_EQ(entries[2].first, QStringLiteral("Width"));
    EXPECT_EQ(entries[3].first, QStringLiteral("Height"));
    EXPECT_EQ(entries[2].second.toDouble(), std::round(ui::Width(&w)));

    struct stat before {};
    ASSERT_EQ(::stat(m_store->filePath().toLocal8Bit().constData(), &before), 0);
    w.repaint();
    w.Form_Paint();
    jwtest::settle();
    struct stat after {};
    ASSERT_EQ(::stat(m_store->filePath().toLocal8Bit().constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);

    w.move(w.pos() + QPoint(30, 20));
    jwtest::settle();
    ASSERT_TRUE(jwtest::waitUntil([&] {
        return std::abs(m_store->readOne(kApp, kPositionSection, QStringLiteral("Left")).toDouble() - ui::Left(&w)) < 1;
    }));
}

// ------------------------------------------------------------ page switching

TEST_F(MainWindowTest, SwitchingSavesThePageLeftAndLoadsTheNewOneWithItsFormatting)
{
    const rtf::Document welcome = doc(u"bold then plain",
                                      {{0, 4, {"DejaVu Sans", 24, true, false, false}},
                                       {4, 11, {"DejaVu Serif", 17, false, true, true}}});
    writePage(QStringLiteral("Welcome.rtf"), welcome);
    frmMain &w = start();
    w.txtPad->setFocus();
    QTest::keyClicks(w.txtPad, QStringLiteral("typed on notes"));
    clickTab(1);
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"typed on notes");
    EXPECT_EQ(w.txtPad->toDocument(), welcome);

    clickTab(2);
    EXPECT_EQ(page(QStringLiteral("Welcome.rtf")), welcome);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("typed on notes"));
}

TEST_F(MainWindowTest, SwitchingToAPageWithoutFileShowsItEmptyAndDoesNotCreateIt)
{
    frmMain &w = start();
    QTest::keyClicks(w.txtPad, QStringLiteral("notes text"));
    clickTab(1);
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    EXPECT_TRUE(w.txtPad->Text().isEmpty());
    EXPECT_FALSE(exists(QStringLiteral("Welcome.rtf")));
    clickTab(2);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("notes text"));
    // The empty page was written when it was left.
    EXPECT_TRUE(exists(QStringLiteral("Welcome.rtf")));
}

TEST_F(MainWindowTest, APageThatCannotBeReadRefusesTheSwitchAndKeepsThePreviousPage)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Welcome.rtf"));
    frmMain &w = start();
    QTest::keyClicks(w.txtPad, QStringLiteral("still here"));
    jwtest::SeenMessage seen;
    jwtest::closeNextMessage(seen);
    clickTab(1);
    ASSERT_TRUE(jwtest::waitUntil([&] { return !seen.text.isEmpty(); }));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("Welcome"))) << seen.text.toStdString();
    EXPECT_EQ(seen.title, QStringLiteral("Jotwell Pro"));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("still here"));
    clickTab(2);
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"still here");
}

TEST_F(MainWindowTest, APageThatCouldNotBeReadAtStartIsNotOverwrittenByTheEmptyEditor)
{
    // A pipe in the page file's place cannot be read as a page, but could be replaced by a save.
    ASSERT_EQ(::mkfifo(path(QStringLiteral("Notes.rtf")).toLocal8Bit().constData(), 0600), 0);
    frmMain &w = start();
    EXPECT_TRUE(w.txtPad->Text().isEmpty());
    clickTab(1);
    EXPECT_EQ(w.oTabs->selectedIndex(), 1);
    struct stat info {};
    ASSERT_EQ(::stat(path(QStringLiteral("Notes.rtf")).toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the unread page file was replaced";
}

// ------------------------------------------------------------------- saving

TEST_F(MainWindowTest, SaveExitAndTheCloseBoxWriteTheCurrentPage)
{
    frmMain &w = start();
    QTest::keyClicks(w.txtPad, QStringLiteral("one"));
    QTest::keyClick(w.txtPad, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"one");

    QTest::keyClicks(w.txtPad, QStringLiteral(" two"));
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"one two");
}

TEST_F(MainWindowTest, ExitSavesThenCloses)
{
    frmMain &w = start();
    QTest::keyClicks(w.txtPad, QStringLiteral("before exit"));
    QTest::keyClick(w.txtPad, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"before exit");
}

TEST_F(MainWindowTest, AFailedSaveKeepsTheTextAndStopsSwitchAndExit)
{
    frmMain &w = start();
    // A folder in the page file's place makes every write of it fail, even as root.
    QFile::remove(path(QStringLiteral("Notes.rtf")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Notes.rtf")));
    QTest::keyClicks(w.txtPad, QStringLiteral("precious"));

    jwtest::SeenMessage saved;
    jwtest::closeNextMessage(saved);
    QTest::keyClick(w.txtPad, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(jwtest::waitUntil([&] { return !saved.text.isEmpty(); }));
    EXPECT_TRUE(saved.text.contains(QStringLiteral("Notes.rtf"))) << saved.text.toStdString();

    jwtest::SeenMessage switched;
    jwtest::closeNextMessage(switched);
    clickTab(1);
    ASSERT_TRUE(jwtest::waitUntil([&] { return !switched.text.isEmpty(); }));
    EXPECT_EQ(w.oTabs->selectedIndex(), 2);

    jwtest::SeenMessage exited;
    jwtest::closeNextMessage(exited);
    w.mnuExit->trigger();
    ASSERT_TRUE(jwtest::waitUntil([&] { return !exited.text.isEmpty(); }));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("precious"));

    // Once the file can be written again, the text reaches it.
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Notes.rtf")));
    w.mnuSave->trigger();
    EXPECT_EQ(page(QStringLiteral("Notes.rtf")).text, u"precious");
}

// ---------------------------------------------------------------- shortcuts

TEST_F(MainWindowTest, EveryMenuShortcutWorksWhicheverControlHasTheFocus)
{
    frmMain &w = start();
    const QList<QWidget *> holders = {w.txtPad, w.cmbFont->lineEdit(), w.cmbFontSize->lineEdit(), w.oTabs, w.cmdShink};
    const QList<QAction *> actions = {w.mnuPrint, w.mnuSave, w.mnuSearch, w.mnuNext, w.mnuAddTab, w.mnuRemoveTab,
                                      w.mnuHelpTopics};
    // Keep the commands from opening dialogs: only the routing of the key is under test.
    for (QAction *action : actions)
        QObject::disconnect(action, &QAction::triggered, &w, nullptr);
    for (QWidget *holder : holders) {
        ASSERT_NE(holder, nullptr);
        for (QAction *action : actions) {
            QSignalSpy spy(action, &QAction::triggered);
            holder->setFocus();
            const QKeyCombination combination = action->shortcut()[0];
            QTest::keyClick(holder, combination.key(), combination.keyboardModifiers());
            EXPECT_EQ(spy.count(), 1) << action->text().toStdString() << " from "
                                      << holder->metaObject()->className();
        }
    }
    QSignalSpy exitSpy(w.mnuExit, &QAction::triggered);
    w.cmbFont->lineEdit()->setFocus();
    QTest::keyClick(w.cmbFont->lineEdit(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(exitSpy.count(), 1);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, MenuCaptionsCarryTheirAccessLetters)
{
    frmMain &w = start();
    EXPECT_EQ(w.mnuFile->title(), QStringLiteral("&File"));
    EXPECT_EQ(w.mnuSave->text(), QStringLiteral("S&ave"));
    EXPECT_EQ(w.mnuSaveAs->text(), QStringLiteral("Save As..."));
    EXPECT_EQ(w.mnuRename->text(), QStringLiteral("Re&name Tab"));
    EXPECT_EQ(w.mnuHide->text(), QStringLiteral("H&ide on Minimize"));
    EXPECT_TRUE(w.mnuHide->isCheckable());
    EXPECT_FALSE(w.mnuHide->isChecked());
    EXPECT_EQ(w.mnuHelpTopics->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(w.mnuSaveAs->shortcut().isEmpty());
}

// --------------------------------------------------------------- formatting

class FormattingTest : public MainWindowTest {
protected:
    frmMain &startWith(const rtf::Document &notes)
    {
        writePage(QStringLiteral("Notes.rtf"), notes);
        return start();
    }
    void select(frmMain &w, int start, int length)
    {
        w.txtPad->setSelStart(start);
        w.txtPad->setSelLength(length);
        jwtest::settle();
    }
};

TEST_F(FormattingTest, TheStartUpChoosesSizeEightForTheCaret)
{
    frmMain &w = startWith(doc(u""));
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("8"));
    QTest::keyClicks(w.txtPad, QStringLiteral("abc"));
    w.txtPad->setSelStart(0);
    w.txtPad->setSelLength(3);
    ASSERT_TRUE(w.txtPad->SelFontSize().has_value());
    EXPECT_DOUBLE_EQ(*w.txtPad->SelFontSize(), 8.0);
}

TEST_F(FormattingTest, TheSizeBoxFollowsTheCaretWithHalvesRoundedToEven)
{
    frmMain &w = startWith(doc(u"aaaabbbbccccdddd",
                               {{0, 4, {"DejaVu Sans", 8, false, false, false}},
                                {4, 4, {"DejaVu Sans", 21, false, false, false}},
                                {8, 4, {"DejaVu Sans", 18, false, false, false}},
                                {12, 4, {"DejaVu Sans", 23, false, false, false}}}));
    select(w, 2, 0);
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("4"));
    select(w, 6, 0); // 10.5 pt
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("10"));
    select(w, 10, 0); // 9 pt is not listed
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("10"));
    select(w, 14, 0); // 11.5 pt
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("12"));
    select(w, 2, 8); // two sizes
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("12"));
    // Showing the size applied nothing.
    EXPECT_EQ(w.txtPad->toDocument().runs.size(), 4u);
}

TEST_F(FormattingTest, AMixedSelectionLeavesTheButtonAndAClickMakesItUniform)
{
    frmMain &w = startWith(doc(u"boldplain",
                               {{0, 4, {"DejaVu Sans", 20, true, false, false}},
                                {4, 5, {"DejaVu Sans", 20, false, false, false}}}));
    select(w, 1, 0);
    EXPECT_EQ(w.Toolbar1->Value(1), 1);
    select(w, 0, 9);
    EXPECT_EQ(w.Toolbar1->Value(1), 1); // mixed: unchanged
    w.Toolbar1->setValue(1, 1);
    w.Toolbar1->setValue(1, 0); // a user click on a pressed button releases it...
    w.Toolbar1_ButtonClick(1);  // ...and removes bold from all of it
    EXPECT_EQ(w.txtPad->SelBold(), std::optional<bool>(false));
    select(w, 0, 9);
    EXPECT_EQ(w.Toolbar1->Value(1), 0);
}

TEST_F(FormattingTest, FontNamesAreMatchedCaseSensitively)
{
    frmMain &w = start();
    ASSERT_GT(w.cmbFont->count(), 0);
    const QString listed = w.cmbFont->itemText(0);
    writePage(QStringLiteral("Welcome.rtf"),
              doc(u"xxyy", {{0, 2, {listed.toStdString(), 20, false, false, false}},
                            {2, 2, {listed.toLower().toStdString() + "-not-installed", 20, false, false, false}}}));
    clickTab(1);
    select(w, 1, 0);
    EXPECT_EQ(w.cmbFont->currentText(), listed);
    const int shown = w.cmbFont->ListIndex();
    select(w, 3, 0);
    EXPECT_EQ(w.cmbFont->ListIndex(), shown);
}

TEST_F(FormattingTest, ChoosingASizeAppliesItToTheSelectionOnly)
{
    frmMain &w = startWith(doc(u"abcdef"));
    select(w, 1, 2);
    w.cmbFontSize->chooseIndex(4); // "12"
    const auto d = w.txtPad->toDocument();
    ASSERT_EQ(d.runs.size(), 3u);
    EXPECT_EQ(d.runs[1].start, 1u);
    EXPECT_EQ(d.runs[1].length, 2u);
    EXPECT_EQ(d.runs[1].format.halfPoints, 24);
    EXPECT_EQ(d.runs[0].format.halfPoints, 20);
}

// ------------------------------------------------------------------- layout

TEST_F(MainWindowTest, TheEditorFillsTheClientAreaBelowTheTabs)
{
    frmMain &w = start();
    QWidget *client = w.centralWidget();
    auto expectEditorFits = [&] {
        const QRect editor = w.txtPad->geometry();
        EXPECT_EQ(editor.left(), 0);
        EXPECT_EQ(editor.top(), ui::toPixelsY(&w, 840));
        EXPECT_EQ(editor.width(), client->width());
        EXPECT_EQ(editor.bottom(), std::max(editor.top() - 1, client->height() - 1));
    };
    expectEditorFits();
    w.resize(700, 500);
    jwtest::settle();
    expectEditorFits();
    w.resize(200, 60); // a client area lower than the tab band
    jwtest::settle();
    EXPECT_EQ(w.txtPad->height(), std::max(0, client->height() - ui::toPixelsY(&w, 840)));
}

} // namespace
