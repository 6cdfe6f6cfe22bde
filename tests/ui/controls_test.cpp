// The small controls: combo box, two-state toolbar, message box, tool dialog, position recorder.
#include "support/qtwait.h"
#include "base/placement.h"
#include "ui/combobox.h"
#include "ui/messagebox.h"
#include "ui/positionrecorder.h"
#include "ui/toolbar.h"
#include "ui/tooldialog.h"
#include "ui/twips.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace Qt::StringLiterals;

TEST(ComboBox, ClickOnlyForTheUsersChoice)
{
    ComboBox box;
    box.addItems({u"4"_s, u"6"_s, u"8"_s, u"10"_s, u"12"_s, u"14"_s, u"16"_s});
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QStringList clicks; // the text shown at each Click
    QObject::connect(&box, &ComboBox::Click, &box, [&] { clicks << box.Text(); });
    box.setListIndex(5);
    box.setListIndex(99); // ignored
    EXPECT_EQ(box.Text(), u"14"_s);
    box.setListIndex(2);
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Up);
    box.showPopup();
    ASSERT_TRUE(jwtest::waitUntil([&] { return box.view()->isVisible(); }));
    QTest::mouseClick(box.view()->viewport(), Qt::LeftButton, {}, box.view()->visualRect(box.model()->index(6, 0)).center());
    ASSERT_TRUE(jwtest::waitUntil([&] { return clicks.size() == 3; }));
    // Enter in the field is told, and neither chooses nor adds an entry.
    QSignalSpy entered(&box, &ComboBox::Entered);
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        box.lineEdit()->selectAll();
        QTest::keyClicks(&box, u"10"_s);
        QTest::keyClick(&box, enter);
    }
    EXPECT_EQ(std::pair(int(entered.count()), box.Text()), std::pair(2, u"10"_s));
    box.setText(u"a long name whose end does not fit"_s);
    EXPECT_EQ(std::pair(box.ListIndex(), box.lineEdit()->cursorPosition()), std::pair(-1, 0));
    box.setListIndex(2); // the field shows the entry, not what was typed over it
    EXPECT_EQ(box.Text(), u"8"_s);
    box.chooseIndex(4); // the start-up choice counts as the user's
    box.chooseIndex(42);
    EXPECT_EQ(clicks, (QStringList{u"10"_s, u"8"_s, u"16"_s, u"12"_s}));
    EXPECT_EQ(std::pair(box.ListIndex(), box.count()), std::pair(-1, 7));
    box.addItem(QString(80, u'W'));
    box.showPopup(); // the list is as wide as its longest entry
    ASSERT_TRUE(jwtest::waitUntil([&] { return box.view()->isVisible(); }));
    EXPECT_GE(box.view()->viewport()->width(), box.view()->sizeHintForColumn(0));
}

TEST(Toolbar, AClickFlipsTheButtonThenRaisesButtonClick)
{
    TwoStateToolbar bar;
    for (const QString &key : {u"bold"_s, u"italic"_s, u"underline"_s})
        bar.addButton(key, key, QIcon());
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QList<std::pair<int, int>> seen; // button, its Value in the handler
    QObject::connect(&bar, &TwoStateToolbar::ButtonClick, &bar, [&](int i) { seen.append({i, bar.Value(i)}); });
    for (int i : {2, 2, 3})
        QTest::mouseClick(bar.buttonWidget(i), Qt::LeftButton);
    bar.setValue(1, 7); // any non-zero presses, silently
    bar.setValue(3, 0);
    bar.setValue(9, 1);
    EXPECT_EQ(seen, (QList<std::pair<int, int>>{{2, 1}, {2, 0}, {3, 1}}));
    EXPECT_EQ((QList<int>{bar.Value(1), bar.Value(2), bar.Value(3), bar.Value(9)}), (QList<int>{1, 0, 0, 0}));
    EXPECT_EQ(bar.Key(3) + bar.Key(4), u"underline"_s);
}

TEST(MessageBox, OneOkButtonNoIconLiteralTextAndTheProgramsTitle)
{
    for (const QString &title : {QString(), u"Search"_s}) {
        QString seen;
        jwtest::onNextModal([&seen](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                seen = u"%1|%2|%3|%4|%5"_s.arg(box->windowTitle(), box->text()).arg(int(box->icon()))
                           .arg(box->buttons().size()).arg(int(box->textFormat() == Qt::PlainText && box->button(QMessageBox::Ok)));
        });
        if (title.isEmpty())
            MsgBox(nullptr, u"<b>R&D</b> is missing."_s);
        else
            MsgBox(nullptr, u"<b>R&D</b> is missing."_s, title);
        EXPECT_EQ(seen, u"%1|<b>R&D</b> is missing.|0|1|1"_s.arg(title.isEmpty() ? u"Jotwell Pro"_s : title));
    }
}

namespace {

class Probe final : public ToolDialog {
public:
    explicit Probe(QWidget *owner) : ToolDialog(owner, u"Probe"_s, 3000, 1200)
    {
        auto *layout = new QHBoxLayout(this);
        layout->addWidget(box = new QLineEdit);
        layout->addWidget(button = plainButton(u"Add"_s));
        setTextBox(box);
        placeBesideOwner();
    }

    QLineEdit *box = nullptr;
    QPushButton *button = nullptr;
    QList<int> keys;

protected:
    bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers) override
    {
        keys << keyCode;
        return false; // left to the dialog, which has no default button to press
    }
};

} // namespace

TEST(ToolDialog, EnterGoesToTheTextBoxOnlyAndEscapeCloses)
{
    QWidget owner;
    owner.setGeometry(200, 150, 300, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    Probe dialog(&owner);
    QSignalSpy pressed(dialog.button, &QPushButton::clicked);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Enter})
        QTest::keyClick(dialog.box, key);
    EXPECT_EQ(dialog.keys, (QList<int>{13, 13}));
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.size(), QSize(toPixelsX(&dialog, 3000), toPixelsY(&dialog, 1200)));
    // Topmost, beside the owner where the placement rule puts it.
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    const jw::Corner place = jw::dialogPlacement({Top(&owner), Left(&owner)}, {Width(&owner), Width(&dialog), ScreenWidth(&owner)}, ScreenHeight(&owner));
    EXPECT_NEAR(Top(&dialog), place.top, twipsPerPixelY(&dialog));
    EXPECT_NEAR(Left(&dialog), place.left, twipsPerPixelX(&dialog));
    QTest::keyClick(dialog.box, Qt::Key_Escape); // as Cancel
    EXPECT_FALSE(dialog.isVisible());
}

TEST(PositionRecorder, AfterAPaintAndWhenAMoveSettlesNeverWhileHidden)
{
    int records = 0;
    QWidget window;
    window.resize(200, 100);
    new PositionRecorder(&window, [&records] { ++records; });
    window.show();
    ASSERT_TRUE(jwtest::waitUntil([&] { return records > 0; }));
    jwtest::settle();
    records = 0;
    window.move(window.pos() + QPoint(40, 30));
    ASSERT_TRUE(jwtest::waitUntil([&] { return records > 0; }));
    window.hide();
    records = 0;
    QPaintEvent paint(QRect(0, 0, 10, 10));
    QApplication::sendEvent(&window, &paint);
    window.move(window.pos() + QPoint(40, 30));
    jwtest::settle();
    EXPECT_EQ(records, 0);
}
