// The tab strip: the user's changes ask first (BeforeClick) and report after (Click); the program's raise nothing.
#include "support/qtwait.h"
#include "ui/tabstrip.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

using namespace jw::ui;
using namespace Qt::StringLiterals;

TEST(TabStrip, ProgramChangesRaiseNothingAndKeepTheSelectedTab)
{
    TabStrip strip;
    QSignalSpy before(&strip, &TabStrip::BeforeClick);
    QSignalSpy click(&strip, &TabStrip::Click);
    EXPECT_EQ(std::tuple(strip.count(), strip.selectedIndex(), strip.caption(1)), std::tuple(1, 1, QString()));
    strip.removeTab(1);
    EXPECT_EQ(strip.selectedIndex(), 0);
    strip.insertTab(1, u"Notes"_s); // the first tab is selected
    strip.insertTab(1, u"Welcome"_s);
    strip.insertTab(3, u"R&D && more"_s);
    EXPECT_EQ(strip.caption(strip.selectedIndex()), u"Notes"_s);
    EXPECT_EQ(strip.tabText(2), u"R&&D &&&& more"_s); // shown literally, no access key
    strip.selectTab(3);
    strip.setCaption(9, u"x"_s);
    strip.removeTab(9);
    strip.removeTab(1); // the later tabs move down
    strip.setCaption(1, u"Notes 2"_s);
    EXPECT_EQ((QStringList{strip.caption(0), strip.caption(1), strip.caption(2), strip.caption(3)}),
              (QStringList{QString(), u"Notes 2"_s, u"R&D && more"_s, QString()}));
    EXPECT_EQ(strip.selectedIndex(), 2);
    strip.setCaptions({u"A"_s, u"A much longer caption"_s, u"X&Y"_s}, 9); // clamped to the last
    EXPECT_EQ((std::tuple(strip.count(), strip.selectedIndex(), strip.caption(3), strip.tabText(2))),
              (std::tuple(3, 3, u"X&Y"_s, u"X&&Y"_s)));
    EXPECT_GT(strip.tabRect(1).width(), strip.tabRect(0).width() + 40); // laid out with real sizes
    EXPECT_EQ(before.count() + click.count(), 0);
}

namespace {

/// A window with four tabs, the first selected, and a line edit; the events are logged.
class TabStripTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(strip = new TabStrip);
        layout->addWidget(other = new QLineEdit);
        for (int i = 2; i <= 4; ++i)
            strip->insertTab(i, QString(QChar(u'A' + i - 1)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QObject::connect(strip, &TabStrip::BeforeClick, strip, [this](int index, bool *cancel) {
            log << u"before %1 while %2"_s.arg(index).arg(strip->selectedIndex());
            *cancel = refuse;
        });
        QObject::connect(strip, &TabStrip::Click, strip, [this] { log << u"click while %1"_s.arg(strip->selectedIndex()); });
    }

    void clickTab(int index) { QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index - 1).center()); }

    QWidget window;
    TabStrip *strip = nullptr;
    QLineEdit *other = nullptr;
    QStringList log;
    bool refuse = false;
};

} // namespace

TEST_F(TabStripTest, EveryWayOfTheUserAsksFirstAndCanBeRefused)
{
    auto wheelDown = [this] {
        const QPointF at = strip->tabRect(0).center();
        QWheelEvent wheel(at, strip->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(strip, &wheel);
    };
    const std::tuple<const char *, int, std::function<void()>, int> table[] = {
        {"mouse", 2, [this] { clickTab(4); }, 4},
        {"wheel", 2, wheelDown, 3},
        {"arrow key", 2, [this] { QTest::keyClick(strip, Qt::Key_Left); }, 1},
        {"Ctrl+Tab", 4, [this] { QTest::keyClick(other, Qt::Key_Tab, Qt::ControlModifier); }, 1},
        {"Ctrl+Shift+Tab", 1, [this] { QTest::keyClick(other, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, 4},
        {"Ctrl+Shift+Tab as Tab", 3, [this] { QTest::keyClick(other, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); }, 2},
        {"any other way", 2, [this] { static_cast<QTabBar *>(strip)->setCurrentIndex(2); }, 3}};
    for (const bool refusing : {false, true}) {
        for (const auto &[name, from, action, to] : table) {
            strip->selectTab(from);
            other->setFocus();
            ASSERT_TRUE(jwtest::waitUntil([this] { return other->hasFocus(); }));
            log.clear();
            refuse = refusing;
            action();
            QStringList want{u"before %1 while %2"_s.arg(to).arg(from)};
            if (!refusing)
                want << u"click while %1"_s.arg(to);
            EXPECT_EQ(log, want) << name;
            EXPECT_EQ(strip->selectedIndex(), refusing ? from : to) << name;
        }
    }
}

TEST_F(TabStripTest, TheHandlerIsAskedOnceAndMayChangeTheStripItself)
{
    QObject::disconnect(strip, &TabStrip::BeforeClick, nullptr, nullptr);
    int asked = 0;
    QObject::connect(strip, &TabStrip::BeforeClick, strip, [this, &asked](int, bool *cancel) {
        ++asked;
        clickTab(4); // the user clicks again while the handler decides
        if (refuse) { // refuses and picks a tab itself, as after a failed load
            *cancel = true;
            strip->selectTab(2);
        }
    });
    clickTab(3);
    EXPECT_EQ(std::pair(asked, strip->selectedIndex()), std::pair(1, 3));
    refuse = true;
    clickTab(1);
    EXPECT_EQ(std::pair(asked, strip->selectedIndex()), std::pair(2, 2));
    EXPECT_EQ(log, QStringList{u"click while 3"_s});
    // Nothing to ask for the selected tab or one that is not there.
    clickTab(2);
    EXPECT_FALSE(strip->requestTab(0) || strip->requestTab(5) || strip->requestTab(2));
    EXPECT_EQ(asked, 2);
}
