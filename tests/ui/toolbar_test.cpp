// The two-state toolbar.
#include "ui/pictures.h"
#include "ui/toolbar.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

class ToolbarTest : public testing::Test {
protected:
    void SetUp() override
    {
        EXPECT_EQ(bar.addButton(QStringLiteral("bold"), QStringLiteral("Bold"), imageListPicture(3)), 1);
        EXPECT_EQ(bar.addButton(QStringLiteral("italic"), QStringLiteral("Italic"), imageListPicture(2)), 2);
        EXPECT_EQ(bar.addButton(QStringLiteral("underline"), QStringLiteral("Underline"), imageListPicture(1)), 3);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    TwoStateToolbar bar;
};

} // namespace

TEST_F(ToolbarTest, ButtonsStartReleasedWithKeysAndTips)
{
    ASSERT_EQ(bar.buttonCount(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(bar.Value(i), 0);
    EXPECT_EQ(bar.Key(2), QStringLiteral("italic"));
    EXPECT_EQ(bar.buttonWidget(3)->toolTip(), QStringLiteral("Underline"));
    EXPECT_FALSE(bar.buttonWidget(1)->icon().isNull());
    EXPECT_EQ(bar.Key(4), QString());
    EXPECT_EQ(bar.buttonWidget(0), nullptr);
}

TEST_F(ToolbarTest, AClickFlipsTheValueBeforeButtonClick)
{
    QList<std::pair<int, int>> seen; // index, Value at the time
    QObject::connect(&bar, &TwoStateToolbar::ButtonClick, &bar,
                     [&](int index) { seen.append({index, bar.Value(index)}); });
    QTest::mouseClick(bar.buttonWidget(2), Qt::LeftButton);
    EXPECT_EQ(bar.Value(2), 1);
    QTest::mouseClick(bar.buttonWidget(2), Qt::LeftButton);
    EXPECT_EQ(bar.Value(2), 0);
    QTest::mouseClick(bar.buttonWidget(3), Qt::LeftButton);
    EXPECT_EQ(seen, (QList<std::pair<int, int>>{{2, 1}, {2, 0}, {3, 1}}));
    EXPECT_EQ(bar.Value(1), 0);
}

TEST_F(ToolbarTest, SetValueIsSilent)
{
    QSignalSpy spy(&bar, &TwoStateToolbar::ButtonClick);
    bar.setValue(1, 1);
    EXPECT_EQ(bar.Value(1), 1);
    EXPECT_TRUE(bar.buttonWidget(1)->isChecked());
    bar.setValue(1, 0);
    EXPECT_EQ(bar.Value(1), 0);
    bar.setValue(3, 7); // any non-zero presses
    EXPECT_EQ(bar.Value(3), 1);
    bar.setValue(9, 1); // no such button
    EXPECT_EQ(bar.Value(9), 0);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(ToolbarTest, ButtonsDoNotTakeTheFocus)
{
    EXPECT_EQ(bar.buttonWidget(1)->focusPolicy() & Qt::ClickFocus, 0);
}
