// The tab strip: user paths raise BeforeClick/Click, program changes nothing.
#include "helpers.h"
#include "ui/tabstrip.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;

namespace {

/// A window with a strip of tabs "A".."D", "B" selected, recording events.
class TabStripTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        strip = new TabStrip;
        layout->addWidget(strip);
        layout->addStretch();
        strip->setCaption(1, QStringLiteral("A"));
        strip->insertTab(2, QStringLiteral("B"));
        strip->insertTab(3, QStringLiteral("C"));
        strip->insertTab(4, QStringLiteral("D"));
        strip->selectTab(2);
        window.resize(400, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QObject::connect(strip, &TabStrip::BeforeClick, strip, [this](int index, bool *cancel) {
            log << QStringLiteral("before %1 while %2").arg(index).arg(strip->selectedIndex());
            if (refuse)
                *cancel = true;
        });
        QObject::connect(strip, &TabStrip::Click, strip,
                         [this] { log << QStringLiteral("click while %1").arg(strip->selectedIndex()); });
    }

    QPoint centreOf(int index) const { return strip->tabRect(index - 1).center(); }

    void wheel(int angle)
    {
        QWheelEvent event(QPointF(centreOf(2)), QPointF(strip->mapToGlobal(centreOf(2))), QPoint(),
                          QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(strip, &event);
    }

    QWidget window;
    TabStrip *strip = nullptr;
    QStringList log;
    bool refuse = false;
};

} // namespace

TEST(TabStripDesign, StartsWithOneSelectedTabWithoutCaption)
{
    TabStrip strip;
    EXPECT_EQ(strip.count(), 1);
    EXPECT_EQ(strip.selectedIndex(), 1);
    EXPECT_EQ(strip.caption(1), QString());
}

TEST(TabStripDesign, ProgramChangesRaiseNothing)
{
    TabStrip strip;
    QSignalSpy before(&strip, &TabStrip::BeforeClick);
    QSignalSpy click(&strip, &TabStrip::Click);
    strip.insertTab(2, QStringLiteral("two"));
    strip.insertTab(1, QStringLiteral("zero"));
    strip.selectTab(3);
    strip.setCaption(3, QStringLiteral("renamed"));
    strip.removeTab(3);
    strip.removeTab(1);
    strip.removeTab(1);
    EXPECT_EQ(strip.count(), 0);
    EXPECT_EQ(strip.selectedIndex(), 0);
    strip.insertTab(1, QStringLiteral("first"));
    EXPECT_EQ(before.count(), 0);
    EXPECT_EQ(click.count(), 0);
}

TEST(TabStripDesign, InsertKeepsTheSelectedTabAndTheFirstTabIsSelected)
{
    TabStrip strip;
    strip.removeTab(1);
    strip.insertTab(1, QStringLiteral("Notes"));
    EXPECT_EQ(strip.selectedIndex(), 1);
    strip.insertTab(1, QStringLiteral("Welcome")); // in front of the selected tab
    EXPECT_EQ(strip.selectedIndex(), 2);
    EXPECT_EQ(strip.caption(strip.selectedIndex()), QStringLiteral("Notes"));
    strip.insertTab(3, QStringLiteral("Later")); // behind it
    EXPECT_EQ(strip.selectedIndex(), 2);
    EXPECT_EQ(strip.caption(1), QStringLiteral("Welcome"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("Later"));
    strip.removeTab(1); // later tabs move down
    EXPECT_EQ(strip.caption(1), QStringLiteral("Notes"));
    EXPECT_EQ(strip.selectedIndex(), 1);
    EXPECT_EQ(strip.caption(0), QString());
    EXPECT_EQ(strip.caption(9), QString());
}

TEST(TabStripDesign, CaptionsAreShownLiterally)
{
    TabStrip strip;
    strip.setCaption(1, QStringLiteral("R&D && more"));
    EXPECT_EQ(strip.caption(1), QStringLiteral("R&D && more"));
    // Doubled for QTabBar, so no access key is made of it.
    EXPECT_EQ(strip.tabText(0), QStringLiteral("R&&D &&&& more"));
}

TEST_F(TabStripTest, MousePressRaisesBeforeClickWhileTheOldTabIsSelectedThenClick)
{
    QTest::mousePress(strip, Qt::LeftButton, {}, centreOf(4));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, centreOf(4));
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 4 while 2"), QStringLiteral("click while 4")}));
    EXPECT_EQ(strip->selectedIndex(), 4);
}

TEST_F(TabStripTest, PressOnTheSelectedTabRaisesNothing)
{
    QTest::mouseClick(strip, Qt::LeftButton, {}, centreOf(2));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TabStripTest, CancelKeepsTheOldTab)
{
    refuse = true;
    QTest::mouseClick(strip, Qt::LeftButton, {}, centreOf(3));
    QTest::keyClick(strip, Qt::Key_Right);
    wheel(-120);
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 3 while 2"), QStringLiteral("before 3 while 2"),
                                QStringLiteral("before 3 while 2")}));
    EXPECT_EQ(strip->selectedIndex(), 2);
    EXPECT_EQ(strip->currentIndex(), 1);
}

TEST_F(TabStripTest, ArrowKeys)
{
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    QTest::keyClick(strip, Qt::Key_Left);
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 3 while 2"), QStringLiteral("click while 3"),
                                QStringLiteral("before 2 while 3"), QStringLiteral("click while 2"),
                                QStringLiteral("before 1 while 2"), QStringLiteral("click while 1")}));
}

TEST_F(TabStripTest, Wheel)
{
    wheel(-120); // down: the next tab
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 3 while 2"), QStringLiteral("click while 3")}));
    EXPECT_EQ(strip->selectedIndex(), 3);
}

TEST_F(TabStripTest, CtrlTabFromAnotherControlOfTheWindow)
{
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    ASSERT_TRUE(waitFor([&] { return other->hasFocus(); }));
    QTest::keyClick(other, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(strip->selectedIndex(), 3);
    QTest::keyClick(other, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(other, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(other, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); // wraps to the last
    EXPECT_EQ(strip->selectedIndex(), 4);
    EXPECT_EQ(log.first(), QStringLiteral("before 3 while 2"));
    EXPECT_EQ(log.last(), QStringLiteral("click while 4"));
    EXPECT_EQ(log.size(), 8);
}

TEST_F(TabStripTest, ProgramChangesInsideTheHandlerAreHonoured)
{
    // A handler that refuses and picks another tab itself (as after a failed load).
    QObject::disconnect(strip, &TabStrip::BeforeClick, nullptr, nullptr);
    QObject::connect(strip, &TabStrip::BeforeClick, strip, [this](int, bool *cancel) {
        *cancel = true;
        strip->selectTab(1);
    });
    QTest::mouseClick(strip, Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(strip->selectedIndex(), 1);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TabStripTest, AUserActionWhileAHandlerDecidesIsIgnored)
{
    QObject::disconnect(strip, &TabStrip::BeforeClick, nullptr, nullptr);
    int calls = 0;
    QObject::connect(strip, &TabStrip::BeforeClick, strip, [&](int, bool *) {
        ++calls;
        // The user clicks again, e.g. during a message box of the handler.
        QTest::mouseClick(strip, Qt::LeftButton, {}, centreOf(4));
        EXPECT_EQ(strip->selectedIndex(), 2);
    });
    QTest::mouseClick(strip, Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(strip->selectedIndex(), 3);
}

TEST_F(TabStripTest, ChangesByOtherPathsAreRoutedToo)
{
    // Anything that changes QTabBar's index outside the program methods is
    // treated as the user's and gets the same two events in order.
    static_cast<QTabBar *>(strip)->setCurrentIndex(0);
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 1 while 2"), QStringLiteral("click while 1")}));
}

TEST_F(TabStripTest, RequestTabIgnoresBadIndexes)
{
    EXPECT_FALSE(strip->requestTab(0));
    EXPECT_FALSE(strip->requestTab(5));
    EXPECT_FALSE(strip->requestTab(2));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(strip->requestTab(4));
    EXPECT_EQ(strip->selectedIndex(), 4);
}
