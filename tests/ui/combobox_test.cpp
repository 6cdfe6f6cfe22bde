// The combo box: Click only for the user's choice.
#include "helpers.h"
#include "ui/combobox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;

namespace {

class ComboBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *size : {"4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "24"})
            box.addItem(QString::fromLatin1(size));
        box.setListIndex(2);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.setFocus();
        ASSERT_TRUE(waitFor([this] { return box.hasFocus(); }));
        spy = std::make_unique<QSignalSpy>(&box, &ComboBox::Click);
    }

    ComboBox box;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST_F(ComboBoxTest, IsEditableUnsortedAndProgramIndexIsSilent)
{
    EXPECT_TRUE(box.isEditable());
    EXPECT_EQ(box.itemText(3), QStringLiteral("10"));
    EXPECT_EQ(box.ListIndex(), 2);
    EXPECT_EQ(box.Text(), QStringLiteral("8"));
    box.setListIndex(5);
    EXPECT_EQ(box.Text(), QStringLiteral("14"));
    box.setListIndex(-1);
    EXPECT_EQ(box.ListIndex(), -1);
    box.setListIndex(99); // ignored
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(spy->count(), 0);
}

TEST_F(ComboBoxTest, ChooseIndexShowsAndRaisesClick)
{
    int shownAtClick = -1;
    QObject::connect(&box, &ComboBox::Click, &box, [&] { shownAtClick = box.ListIndex(); });
    box.chooseIndex(4);
    EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(shownAtClick, 4);
    box.chooseIndex(42);
    EXPECT_EQ(spy->count(), 1);
}

TEST_F(ComboBoxTest, ArrowKeysAreAChoice)
{
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(box.Text(), QStringLiteral("10"));
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(spy->count(), 2);
    EXPECT_EQ(box.Text(), QStringLiteral("8"));
}

TEST_F(ComboBoxTest, MouseChoiceInTheListIsAChoice)
{
    box.showPopup();
    QAbstractItemView *view = box.view();
    ASSERT_TRUE(waitFor([view] { return view->isVisible(); }));
    const QRect r = view->visualRect(box.model()->index(6, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_TRUE(waitFor([this] { return spy->count() == 1; }));
    EXPECT_EQ(box.Text(), QStringLiteral("16"));
}

TEST_F(ComboBoxTest, TypingAndEnterApplyNothingAndAddNothing)
{
    box.lineEdit()->selectAll();
    QTest::keyClicks(&box, QStringLiteral("10"));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("15"));
    QTest::keyClick(&box, Qt::Key_Enter);
    EXPECT_EQ(spy->count(), 0);
    EXPECT_EQ(box.count(), 11);
}
