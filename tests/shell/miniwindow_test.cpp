// The splash, the mini window and the hot key's window swap.
#include "base/placement.h"
#include "dialogs/frmsplash.h"
#include "hotkeys/mini/frmmin.h"
#include "hotkeys/mini/windowswap.h"
#include "pages/pagelist.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QAction>
#include <QPushButton>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;

namespace {

TEST(WindowSwap, TheHotKeySwapsOrShowsAndHidesTheMainWindow)
{
    const QString key = u"JotwellVisible"_s;
    EXPECT_EQ(hotKeyAction(key, false, true), SwapAction::MainToMini);
    EXPECT_EQ(hotKeyAction(key, false, false), SwapAction::MiniToMain);
    EXPECT_EQ(hotKeyAction(key, true, true), SwapAction::HideMain);
    EXPECT_EQ(hotKeyAction(key, true, false), SwapAction::ShowMain);
    EXPECT_EQ(hotKeyAction(u"jotwellvisible"_s, false, true), SwapAction::None);
    EXPECT_EQ(hotKeyAction(u"JotwellAdd"_s, true, true), SwapAction::None);
}

TEST_F(MainWindowTest, TheSplashHandsOverToTheMiniWindowOnce)
{
    window = std::make_unique<frmMain>(store, files);
    window->Form_Load();
    EXPECT_FALSE(window->isVisible());
    ASSERT_NE(window->splash(), nullptr);
    QTest::keyClick(window->splash(), Qt::Key_Space);
    ASSERT_TRUE(waitUntil([&] { return window->splash() == nullptr; }));
    ASSERT_NE(window->existingMiniWindow(), nullptr);
    EXPECT_TRUE(window->existingMiniWindow()->isVisible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ShrinkSavesAndExpandComesBackWhereTheMiniWindowStood)
{
    frmMain &w = start();
    type(u"kept"_s);
    const double top = ui::Top(&w), left = ui::Left(&w);
    w.cmdShink->click();
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"kept");
    frmMin &mini = *w.existingMiniWindow();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(mini.isVisible());
    EXPECT_NEAR(ui::Top(&mini), top, 15);
    EXPECT_NEAR(ui::Left(&mini), left, 15);

    // Near the bottom right the main window moves onto the screen and the
    // mini window's corner is remembered for the next shrink.
    const double w0 = ui::ScreenWidth(&mini), h0 = ui::ScreenHeight(&mini);
    ui::setTop(&mini, h0 - 600);
    ui::setLeft(&mini, w0 - 1700);
    mini.cmdExpand->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(mini.isVisible());
    EXPECT_NEAR(ui::Top(&w), h0 - 4350, 15);
    EXPECT_NEAR(ui::Left(&w), w0 - 4770, 15);
    w.cmdShink->click();
    EXPECT_NEAR(ui::Top(&mini), h0 - 600, 15);
    EXPECT_NEAR(ui::Left(&mini), w0 - 1700, 15);
    EXPECT_EQ(w.iTop, 0);
}

TEST_F(MainWindowTest, TheHotKeyFollowsHideOnMinimizeAndSavesNothing)
{
    frmMain &w = start();
    type(u"unsaved"_s);
    w.m_cHK_HotKeyPress(u"JotwellVisible"_s, 1, 86);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.existingMiniWindow()->isVisible());
    w.m_cHK_HotKeyPress(u"JotwellVisible"_s, 1, 86);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.existingMiniWindow()->isVisible());
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"");

    w.mnuHide->trigger();
    ASSERT_TRUE(w.mnuHide->isChecked());
    w.cmdShink->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.existingMiniWindow()->isVisible());
    w.m_cHK_HotKeyPress(u"JotwellVisible"_s, 1, 86);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.existingMiniWindow()->isVisible());
}

TEST_F(MainWindowTest, ClosingTheMiniWindowSavesAndEndsTheProgram)
{
    frmMain &w = start();
    type(u"last words"_s);
    w.cmdShink->click();
    type(u"!"_s);
    w.existingMiniWindow()->close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.existingMiniWindow()->isVisible());
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u"last words!");
}

TEST_F(MainWindowTest, TheMiniWindowOpensAndRecordsItsCornerInTheSettings)
{
    store.writeEntries(kApp, u"Position"_s, {{u"Top"_s, u"2400"_s}, {u"Left"_s, u"3600"_s}});
    frmMain &w = start();
    frmMin &mini = w.miniWindow();
    EXPECT_NEAR(ui::Top(&mini), 2400, 15);
    EXPECT_NEAR(ui::Left(&mini), 3600, 15);
    w.hide();
    ui::setLeft(&mini, 4500);
    mini.show();
    EXPECT_TRUE(waitUntil([&] { return std::abs(toInt32(store.readOne(kApp, u"Position"_s, u"Left"_s)).value_or(0) - 4500) <= 15; }));
}

} // namespace
