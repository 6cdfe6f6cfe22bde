// The mini window and the hot key's window swap.
#include "base/placement.h"
#include "miniwindow/frmmin.h"
#include "miniwindow/minicommands.h"
#include "miniwindow/windowswap.h"
#include "support/mainwindow.h"
#include "ui/twips.h"

#include <QPushButton>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

TEST(WindowSwap, TheHotKeySwapsOrShowsAndHidesTheMainWindow)
{
    const QString key = u"JotwellVisible"_s;
    EXPECT_EQ(
        (QList<SwapAction>{hotKeyAction(key, false, true), hotKeyAction(key, false, false),
                           hotKeyAction(key, true, true), hotKeyAction(key, true, false),
                           hotKeyAction(u"jotwellvisible"_s, false, true), hotKeyAction(u"JotwellAdd"_s, true, true)}),
        (QList<SwapAction>{SwapAction::MainToMini, SwapAction::MiniToMain, SwapAction::HideMain, SwapAction::ShowMain,
                           SwapAction::None, SwapAction::None}));
}

TEST_F(MainWindowTest, ShrinkSavesAndExpandComesBackOnTheScreenWhereTheMiniWindowStood)
{
    frmMain &w = start();
    type(u"kept"_s);
    const double top = ui::Top(&w), left = ui::Left(&w);
    cmdShink->click();
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"kept");
    frmMin &mini = *miniFeature().existingMiniWindow();
    EXPECT_TRUE(!w.isVisible() && mini.isVisible());
    expectLaidOut(mini);
    EXPECT_NEAR(ui::Top(&mini), top, 15);
    EXPECT_NEAR(ui::Left(&mini), left, 15);
    // Near the bottom right the main window moves up onto the screen, and
    // the next shrink puts the mini window back into its corner.
    const double bottom = ui::ScreenHeight(&mini) - 600, right = ui::ScreenWidth(&mini) - 1700;
    ui::setTop(&mini, bottom);
    ui::setLeft(&mini, right);
    mini.cmdExpand->click();
    EXPECT_TRUE(w.isVisible() && !mini.isVisible());
    EXPECT_LT(ui::Top(&w), bottom - 1000);
    cmdShink->click();
    EXPECT_NEAR(ui::Top(&mini), bottom, 15);
    EXPECT_NEAR(ui::Left(&mini), right, 15);
}

TEST_F(MainWindowTest, TheHotKeyFollowsHideOnMinimizeAndSavesNothing)
{
    frmMain &w = start();
    type(u"unsaved"_s);
    for (const bool mainShown : {false, true}) {
        miniFeature().m_cHK_HotKeyPress(u"JotwellVisible"_s, 1, 86);
        EXPECT_EQ(std::pair(w.isVisible(), miniFeature().existingMiniWindow()->isVisible()),
                  std::pair(mainShown, !mainShown));
    }
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"");
    action("mnuHide")->trigger();
    w.setWindowState(Qt::WindowMinimized); // from the title bar: hidden as by Shrink, with no mini window
    EXPECT_TRUE(waitUntil([&] { return !w.isVisible(); }) && !miniFeature().existingMiniWindow()->isVisible());
    miniFeature().m_cHK_HotKeyPress(u"JotwellVisible"_s, 1, 86);
    EXPECT_TRUE(w.isVisible() && !w.isMinimized() && !miniFeature().existingMiniWindow()->isVisible());
}

// Always on Top: ticked at first, kept for the next start; the mini window stays on top.
TEST_F(MainWindowTest, AlwaysOnTopIsAChoiceKeptInTheSettings)
{
    const auto staysOnTop = [](const QWidget &w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
    for (const bool onTop : {true, false}) {
        frmMain &w = start();
        EXPECT_EQ(std::pair(action("mnuOnTop")->isChecked(), staysOnTop(w)), std::pair(onTop, onTop));
        w.show();
        action("mnuOnTop")->trigger();
        EXPECT_EQ(std::tuple(w.isVisible(), staysOnTop(w), staysOnTop(miniFeature().miniWindow())),
                  std::tuple(true, !onTop, true));
        window.reset();
    }
}

TEST_F(MainWindowTest, TheMiniWindowRecordsItsCornerAndClosingItSavesAndEndsTheProgram)
{
    store.writeEntries(kApp, u"Position"_s, {{u"Top"_s, u"2400"_s}, {u"Left"_s, u"3600"_s}});
    frmMain &w = start();
    type(u"last words"_s);
    cmdShink->click();
    frmMin &mini = *miniFeature().existingMiniWindow();
    EXPECT_NEAR(ui::Top(&mini), 2400, 15);
    EXPECT_NEAR(ui::Left(&mini), 3600, 15);
    ui::setLeft(&mini, 4500);
    EXPECT_TRUE(waitUntil(
        [&] { return std::abs(toInt32(store.readOne(kApp, u"Position"_s, u"Left"_s)).value_or(0) - 4500) <= 15; }));
    type(u"!"_s);
    mini.close();
    EXPECT_FALSE(w.isVisible() || mini.isVisible());
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"last words!");
}

} // namespace
