// Selection offsets and the coalesced SelChange event.
#include "helpers.h"
#include "ui/richtextedit.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTest>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;

namespace {

const auto kPlain = fmt("DejaVu Sans", 20);

class SelChangeTest : public testing::Test {
protected:
    void SetUp() override
    {
        edit.resize(400, 300);
        edit.setFromDocument(makeDoc({{QStringLiteral("first line\nsecond line\nthird"), kPlain}}));
        edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
        edit.setFocus();
        settle();
        spy = std::make_unique<QSignalSpy>(&edit, &RichTextEdit::SelChange);
    }

    /// Lets the pending SelChange (if any) fire.
    void settle() { ASSERT_TRUE(waitFor([this] { return !edit.selChangePending(); })); }

    int count()
    {
        settle();
        // One more turn: nothing else may follow.
        QCoreApplication::processEvents();
        return int(spy->count());
    }

    RichTextEdit edit;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST(RichTextSelection, OffsetsCountBreaksAsOne)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("ab\ncd\u2028ef\tg"), kPlain}}));
    const QString text = edit.Text();
    ASSERT_EQ(text, QStringLiteral("ab\ncd\nef\tg"));
    for (int start = 0; start <= text.size(); ++start) {
        for (int length = 0; start + length <= text.size(); ++length) {
            edit.setSelStart(start);
            edit.setSelLength(length);
            ASSERT_EQ(edit.SelStart(), start);
            ASSERT_EQ(edit.SelLength(), length);
            ASSERT_EQ(edit.SelText(), text.mid(start, length)) << start << "," << length;
        }
    }
}

TEST(RichTextSelection, SettingStartCollapsesAndLengthExtendsFromStart)
{
    RichTextEdit edit;
    edit.setText(QStringLiteral("hello world"));
    edit.setSelStart(6);
    edit.setSelLength(5);
    EXPECT_EQ(edit.SelText(), QStringLiteral("world"));
    edit.setSelStart(2);
    EXPECT_EQ(edit.SelLength(), 0);
    EXPECT_EQ(edit.SelStart(), 2);
    // A selection made backwards by the user: SelStart is its low end.
    QTextCursor c = edit.textCursor();
    c.setPosition(9);
    c.setPosition(4, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
    EXPECT_EQ(edit.SelStart(), 4);
    EXPECT_EQ(edit.SelLength(), 5);
    edit.setSelLength(2);
    EXPECT_EQ(edit.SelStart(), 4);
    EXPECT_EQ(edit.SelText(), QStringLiteral("o "));
}

TEST(RichTextSelection, OutOfRangeValuesAreClamped)
{
    RichTextEdit edit;
    edit.setText(QStringLiteral("abc"));
    edit.setSelStart(99);
    EXPECT_EQ(edit.SelStart(), 3);
    edit.setSelStart(-5);
    EXPECT_EQ(edit.SelStart(), 0);
    edit.setSelStart(1);
    edit.setSelLength(99);
    EXPECT_EQ(edit.SelLength(), 2);
    edit.setSelLength(-1);
    EXPECT_EQ(edit.SelLength(), 0);
    EXPECT_EQ(edit.SelStart(), 1);
}

TEST(RichTextSelection, SurrogatePairsAreNeverSplit)
{
    RichTextEdit edit;
    edit.setText(QStringLiteral("a\U0001F600b"));
    ASSERT_EQ(edit.Text().size(), 4);
    edit.setSelStart(2); // inside the pair: goes to its start
    EXPECT_EQ(edit.SelStart(), 1);
    edit.setSelLength(1); // would end inside: takes the whole pair
    EXPECT_EQ(edit.SelLength(), 2);
    EXPECT_EQ(edit.SelText(), QStringLiteral("\U0001F600"));
    edit.setSelStart(3);
    edit.setSelLength(1);
    EXPECT_EQ(edit.SelText(), QStringLiteral("b"));
}

TEST_F(SelChangeTest, TypingRaisesOne)
{
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_EQ(count(), 1);
    QTest::keyClick(&edit, Qt::Key_Y);
    EXPECT_EQ(count(), 2);
    EXPECT_TRUE(edit.Text().startsWith(QStringLiteral("xy")));
}

TEST_F(SelChangeTest, MouseClickRaisesOne)
{
    const QRect r = edit.cursorRect(QTextCursor(edit.document()->findBlockByNumber(1)));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, r.center() + QPoint(40, 0));
    EXPECT_EQ(count(), 1);
    EXPECT_GT(edit.SelStart(), 11);
}

TEST_F(SelChangeTest, KeyboardSelectionRaisesOnePerKey)
{
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(count(), 1);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(edit.SelLength(), 2);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(edit.SelLength(), 0);
}

TEST_F(SelChangeTest, ProgramSelectionRaisesOneAfterBoth)
{
    int seenStart = -1;
    int seenLength = -1;
    QObject::connect(&edit, &RichTextEdit::SelChange, &edit, [&] {
        seenStart = edit.SelStart();
        seenLength = edit.SelLength();
    });
    edit.setSelStart(12);
    edit.setSelLength(6);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(seenStart, 12);
    EXPECT_EQ(seenLength, 6);
}

TEST_F(SelChangeTest, LoadingRaisesOneEvenWhenTheCaretStaysAtZero)
{
    ASSERT_EQ(edit.SelStart(), 0);
    edit.setFromDocument(makeDoc({{QStringLiteral("another page"), fmt("DejaVu Sans", 24, true)}}));
    EXPECT_EQ(count(), 1);
    edit.setText(QStringLiteral("plain"));
    EXPECT_EQ(count(), 2);
}

TEST_F(SelChangeTest, NothingHappeningRaisesNothing)
{
    EXPECT_EQ(count(), 0);
    edit.setSelStart(edit.SelStart());
    EXPECT_EQ(count(), 0);
}

TEST_F(SelChangeTest, FlushRaisesAPendingOneAtOnce)
{
    edit.setSelStart(5);
    ASSERT_TRUE(edit.selChangePending());
    edit.flushSelChange();
    EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(count(), 1);
}
