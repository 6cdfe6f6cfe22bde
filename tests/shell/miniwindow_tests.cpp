#include "dialogs/frmsplash.h"
#include "richtext/rtffile.h"
#include "hotkeys/frmmin.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "shell/frmmain.h"
#include "base/settingsstore.h"
#include "support/qtwait.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace jw;

namespace {

// Counts how often a window is shown.
class ShowCounter final : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

class MiniWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("config/settings.json")));
        m_files = std::make_unique<PageFiles>(m_dir.path());
    }
    void TearDown() override
    {
        if (m_main) {
            if (auto *splash = m_main->splash())
                delete splash;
            m_main.reset();
        }
        QDir::setCurrent(QDir::tempPath());
    }

    // Starts the pad and dismisses the splash, as the user sees it: mini window up.
    frmMain &startToMini()
    {
        m_main = std::make_unique<frmMain>(*m_store, *m_files);
        m_main->Form_Load();
        frmSplash *splash = m_main->splash();
        EXPECT_NE(splash, nullptr);
        if (splash)
            QTest::keyClick(splash, Qt::Key_Space);
        jwtest::settle();
        return *m_main;
    }

    frmMin &mini() { return m_main->miniWindow(); }
    QString pageText(const QString &name) { return QString::fromStdU16String(loadRtfFile(m_dir.filePath(name)).text); }
    void hotKey() { m_main->m_cHK_HotKeyPress(QStringLiteral("JotwellVisible"), 1, 86); }
    void tickHide() { m_main->mnuHide->trigger(); }

    enum class State { Main, Mini, Hidden, Both };
    State state()
    {
        const bool main = m_main->isVisible();
        const bool small = m_main->existingMiniWindow() && m_main->existingMiniWindow()->isVisible();
        return main ? (small ? State::Both : State::Main) : (small ? State::Mini : State::Hidden);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<PageFiles> m_files;
    std::unique_ptr<frmMain> m_main;
};

TEST_F(MiniWindowTest, StartUpShowsTheSplashThenTheMiniWindow)
{
    m_main = std::make_unique<frmMain>(*m_store, *m_files);
    QElapsedTimer clock;
    clock.start();
    m_main->Form_Load();
    QPointer<frmSplash> splash = m_main->splash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(m_main->isVisible());
    EXPECT_EQ(m_main->existingMiniWindow(), nullptr);
    // The timer alone ends it, two seconds after the splash was created.
    ASSERT_TRUE(jwtest::waitUntil([&] { return splash.isNull(); }, 6000));
    EXPECT_GE(clock.elapsed(), 1990);
    EXPECT_EQ(state(), State::Mini);
    EXPECT_EQ(mini().windowTitle(), QStringLiteral("Jotwell"));
}

TEST_F(MiniWindowTest, AClickOrAKeyDismissesTheSplashOnceAndLeavesTheMainWindowAlone)
{
    for (int way = 0; way < 2; ++way) {
        m_main = std::make_unique<frmMain>(*m_store, *m_files);
        m_main->Form_Load();
        QPointer<frmSplash> splash = m_main->splash();
        ASSERT_TRUE(splash);
        const bool mainVisible = m_main->isVisible();
        ShowCounter counter;
        if (way == 0)
            QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(100, 100));
        else
            QTest::keyClick(splash, Qt::Key_Escape);
        ASSERT_NE(m_main->existingMiniWindow(), nullptr);
        m_main->existingMiniWindow()->installEventFilter(&counter);
        EXPECT_TRUE(m_main->existingMiniWindow()->isVisible());
        ASSERT_TRUE(jwtest::waitUntil([&] { return splash.isNull(); }));
        QTest::qWait(2300); // past the timer's tick
        EXPECT_EQ(counter.shows, 0) << "the mini window was shown again";
        EXPECT_EQ(m_main->isVisible(), mainVisible);
        m_main->existingMiniWindow()->removeEventFilter(&counter);
        m_main.reset();
    }
}

TEST_F(MiniWindowTest, TheMiniWindowOpensWhereTheLastWindowStood)
{
    m_store->writeEntries(kApp, kPositionSection,
                          {{QStringLiteral("Top"), QStringLiteral("2250")}, {QStringLiteral("Left"), QStringLiteral("4500")}});
    startToMini();
    const double px = ui::twipsPerPixelX(&mini());
    EXPECT_NEAR(ui::Top(&mini()), 2250, px);
    EXPECT_NEAR(ui::Left(&mini()), 4500, px);
    EXPECT_NEAR(ui::ScaleWidth(&mini()), 1605, px);
    EXPECT_NEAR(ui::ScaleHeight(&mini()), 330, px);
    EXPECT_TRUE(mini().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MiniWindowTest, TransitionTableWithoutHideOnMinimize)
{
    frmMain &w = startToMini();
    EXPECT_EQ(state(), State::Mini);
    mini().cmdExpand->click();
    EXPECT_EQ(state(), State::Main);
    w.cmdShink->click();
    EXPECT_EQ(state(), State::Mini);
    hotKey();
    EXPECT_EQ(state(), State::Main);
    hotKey();
    EXPECT_EQ(state(), State::Mini);
    // Other names do nothing.
    w.m_cHK_HotKeyPress(QStringLiteral("jotwellvisible"), 1, 86);
    EXPECT_EQ(state(), State::Mini);
}

TEST_F(MiniWindowTest, TransitionTableWithHideOnMinimize)
{
    frmMain &w = startToMini();
    mini().cmdExpand->click();
    tickHide();
    EXPECT_TRUE(w.mnuHide->isChecked());
    w.cmdShink->click();
    EXPECT_EQ(state(), State::Hidden);
    hotKey();
    EXPECT_EQ(state(), State::Main);
    hotKey();
    EXPECT_EQ(state(), State::Hidden);
    hotKey();
    tickHide();
    EXPECT_FALSE(w.mnuHide->isChecked());
    hotKey();
    EXPECT_EQ(state(), State::Mini);
}

TEST_F(MiniWindowTest, ShrinkSavesThePageButTheHotKeyDoesNot)
{
    frmMain &w = startToMini();
    mini().cmdExpand->click();
    QTest::keyClicks(w.txtPad, QStringLiteral("shrunk"));
    w.cmdShink->click();
    EXPECT_EQ(pageText(QStringLiteral("Notes.rtf")), QStringLiteral("shrunk"));

    hotKey();
    QTest::keyClicks(w.txtPad, QStringLiteral(" more"));
    const qint32 top = w.iTop;
    hotKey();
    EXPECT_EQ(pageText(QStringLiteral("Notes.rtf")), QStringLiteral("shrunk"));
    EXPECT_EQ(w.iTop, top);
}

TEST_F(MiniWindowTest, ExpandNearTheBottomRightIsRememberedForOneShrink)
{
    frmMain &w = startToMini();
    // Once shown, the windows know their frames, so corners compare exactly.
    mini().cmdExpand->click();
    w.cmdShink->click();
    const double screenW = ui::ScreenWidth(&mini());
    const double screenH = ui::ScreenHeight(&mini());
    const double px = ui::twipsPerPixelX(&mini());
    ui::setTop(&mini(), screenH - 600);
    ui::setLeft(&mini(), screenW - 1800);
    const double miniTop = ui::Top(&mini());
    const double miniLeft = ui::Left(&mini());
    mini().cmdExpand->click();
    EXPECT_NEAR(ui::Top(&w), screenH - 4350, px);
    EXPECT_NEAR(ui::Left(&w), screenW - 4770, px);
    EXPECT_NEAR(w.iTop, miniTop, px);
    EXPECT_NEAR(w.iLeft, miniLeft, px);

    // The next shrink puts the mini window back where it stood...
    w.cmdShink->click();
    EXPECT_NEAR(ui::Top(&mini()), miniTop, px);
    EXPECT_NEAR(ui::Left(&mini()), miniLeft, px);
    EXPECT_EQ(w.iTop, 0);
    EXPECT_EQ(w.iLeft, 0);

    // ...and the one after that uses the main window's corner (the hot key places nothing).
    hotKey();
    ui::setTop(&w, 1500);
    ui::setLeft(&w, 1500);
    w.cmdShink->click();
    EXPECT_NEAR(ui::Top(&mini()), 1500, px);
    EXPECT_NEAR(ui::Left(&mini()), 1500, px);
}

TEST_F(MiniWindowTest, ExpandNearTheBottomEdgeOnlyRemembersTheTop)
{
    frmMain &w = startToMini();
    mini().cmdExpand->click();
    w.cmdShink->click();
    const double screenH = ui::ScreenHeight(&mini());
    const double px = ui::twipsPerPixelX(&mini());
    ui::setTop(&mini(), screenH - 900);
    ui::setLeft(&mini(), 1200);
    mini().cmdExpand->click();
    EXPECT_NEAR(ui::Top(&w), screenH - 4350, px);
    EXPECT_NEAR(ui::Left(&w), 1200, px);
    EXPECT_NE(w.iTop, 0);
    EXPECT_EQ(w.iLeft, 0);
    ui::setLeft(&w, 2400);
    w.cmdShink->click();
    EXPECT_NEAR(ui::Top(&mini()), screenH - 900, px);
    EXPECT_NEAR(ui::Left(&mini()), 2400, px);
}

TEST_F(MiniWindowTest, ClosingTheMiniWindowSavesThePageAndEndsTheProgram)
{
    frmMain &w = startToMini();
    mini().cmdExpand->click();
    QTest::keyClicks(w.txtPad, QStringLiteral("kept at the end"));
    hotKey(); // to the mini window without saving
    EXPECT_EQ(state(), State::Mini);
    mini().close();
    EXPECT_EQ(state(), State::Hidden);
    EXPECT_TRUE(w.isClosing());
    EXPECT_EQ(pageText(QStringLiteral("Notes.rtf")), QStringLiteral("kept at the end"));
}

TEST_F(MiniWindowTest, AFailedSaveDuringAShrinkIsReportedAboveTheMiniWindow)
{
    frmMain &w = startToMini();
    mini().cmdExpand->click();
    QTest::keyClicks(w.txtPad, QStringLiteral("must not vanish"));
    QFile::remove(m_dir.filePath(QStringLiteral("Notes.rtf")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Notes.rtf")));
    QWidget *parent = nullptr;
    QString text;
    jwtest::onNextModal([&](QWidget *modal) {
        parent = modal->parentWidget();
        text = modal->property("text").toString();
    });
    w.cmdShink->click();
    ASSERT_TRUE(jwtest::waitUntil([&] { return !text.isNull(); }));
    EXPECT_EQ(parent, &mini());
    EXPECT_TRUE(text.contains(QStringLiteral("Notes.rtf")));
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("must not vanish"));
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Notes.rtf")));
    hotKey();
    w.mnuSave->trigger();
    EXPECT_EQ(pageText(QStringLiteral("Notes.rtf")), QStringLiteral("must not vanish"));
}

TEST_F(MiniWindowTest, TheMiniWindowRecordsItsCornerWhenPainted)
{
    startToMini();
    ui::setTop(&mini(), 3000);
    ui::setLeft(&mini(), 4500);
    mini().repaint();
    ASSERT_TRUE(jwtest::waitUntil([&] {
        return m_store->readOne(kApp, kPositionSection, QStringLiteral("Left")) == QStringLiteral("4500");
    }));
    EXPECT_EQ(m_store->readOne(kApp, kPositionSection, QStringLiteral("Top")), QStringLiteral("3000"));
}

} // namespace
