// The page layout (only what is asked for is laid out, the rest estimated)
// and a big page going into the editor between events.
#include "support/qtwait.h"
#include "ui/pagelayout.h"
#include "ui/richtextedit.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace jw::ui;
using jw::rtf::CharFormat;
using jw::rtf::Document;

namespace {

/// Every paragraph's box lies right below the one before, the document's
/// height is their sum, and a hit in each box lands in its paragraph.
void expectStacked(QTextDocument &doc, PageLayout &layout)
{
    qreal y = doc.documentMargin();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QRectF box = layout.blockBoundingRect(b);
        EXPECT_DOUBLE_EQ(box.top(), y) << "paragraph " << b.blockNumber();
        EXPECT_GT(box.height(), 0);
        const int hit = layout.hitTest(box.center(), Qt::FuzzyHit);
        EXPECT_TRUE(hit >= b.position() && hit < b.position() + b.length()) << "paragraph " << b.blockNumber();
        y = box.bottom();
    }
    EXPECT_DOUBLE_EQ(layout.documentSize().height(), y + doc.documentMargin());
}

} // namespace

TEST(PageLayout, LaysOutOnlyWhatIsAskedAndKeepsParagraphsStackedThroughEdits)
{
    QTextDocument doc;
    auto *layout = new PageLayout(&doc);
    doc.setDocumentLayout(layout);
    doc.setPageSize(QSizeF(300, -1));
    QTextCursor c(&doc);
    c.beginEditBlock();
    // Empty, short, wrapping, big-font and tab-holding paragraphs, many times over.
    QTextCharFormat big;
    big.setFontPointSize(30);
    for (int i = 0; i < 400; ++i) {
        c.insertText(QString(), QTextCharFormat());
        c.insertBlock();
        c.insertText(QStringLiteral("short"), QTextCharFormat());
        c.insertBlock();
        c.insertText(QStringLiteral("wrapping words ").repeated(20), i % 2 ? big : QTextCharFormat());
        c.insertText(QStringLiteral("\tend"));
        c.insertBlock();
    }
    c.endEditBlock();
    const QTextBlock far = doc.findBlockByNumber(1001);
    layout->layOut(0, 200, 0);
    EXPECT_TRUE(layout->isLaidOut(doc.firstBlock()));
    EXPECT_FALSE(layout->isLaidOut(far)) << "a paragraph far out of view was laid out";
    // A click far down hits the paragraph estimated there, laid out on the spot;
    // the height that changed with it is told once, a turn later.
    QSignalSpy sized(layout, &QAbstractTextDocumentLayout::documentSizeChanged);
    const int hit = layout->hitTest(layout->blockBoundingRect(far).center(), Qt::FuzzyHit);
    EXPECT_TRUE(far.contains(hit));
    jwtest::settle();
    EXPECT_EQ(sized.size(), 1);

    expectStacked(doc, *layout);
    // Typing, a new paragraph and a joined one: the boxes follow.
    QTextCursor edit(doc.findBlockByNumber(2));
    edit.insertText(QStringLiteral("more words that wrap ").repeated(10));
    EXPECT_EQ(sized.size(), 2) << "the height that grew is told at once";
    edit.insertBlock();
    edit.movePosition(QTextCursor::NextBlock);
    edit.deletePreviousChar();
    expectStacked(doc, *layout);
    // Another width: everything lays out again at it.
    doc.setPageSize(QSizeF(120, -1));
    expectStacked(doc, *layout);
}

TEST(PageLayout, ABigPageShowsAtOnceTakesTypingWhileItGoesInIsWholeAfterwardsAndScrollsWithoutJumps)
{
    Document big;
    const CharFormat plain{"DejaVu Sans", 24}, bold{"DejaVu Sans", 20, true};
    while (big.text.size() < 400000) {
        const std::size_t start = big.text.size();
        big.text += u"some words of a line\n";
        big.runs.push_back({start, big.text.size() - start, big.runs.size() % 2 ? plain : bold});
    }
    for (const bool typed : {false, true}) {
        RichTextEdit edit;
        edit.resize(400, 300);
        edit.show();
        edit.setFromDocument(big);
        ASSERT_TRUE(edit.isLoading());
        EXPECT_LT(edit.document()->characterCount(), int(big.text.size())) << "the page went in at once";
        Document expected = big;
        if (typed) {
            QTest::keyClicks(edit.viewport(), QStringLiteral("typed"));
            expected.text.insert(0, u"typed"); // into the first run; the others move on
            for (jw::rtf::Run &run : expected.runs)
                (run.start ? run.start : run.length) += 5;
        }
        ASSERT_TRUE(jwtest::waitUntil([&] { return !edit.isLoading(); }));
        EXPECT_EQ(edit.toDocument(), expected);
        // Only typing makes the page modified; undo takes what came after the load.
        EXPECT_EQ(edit.document()->isModified(), typed);
        EXPECT_FALSE(edit.document()->isUndoAvailable());
        QTest::keyClicks(edit.viewport(), QStringLiteral("z"));
        EXPECT_TRUE(edit.document()->isUndoAvailable());
    }
    // What needs the whole page gets it, at once.
    RichTextEdit edit;
    edit.setFromDocument(big);
    EXPECT_EQ(edit.Text().size(), qsizetype(big.text.size()));
    EXPECT_FALSE(edit.isLoading());

    // Scrolling up onto paragraphs that were estimated: what was shown stays put.
    Document wide;
    for (int i = 0; i < 4000; ++i)
        wide.text += i % 2 ? u"WWWWWWWW WWWWWWWWW WWWWWWWW WWWWWWW WWWWWWWWW\n" : u"iii\n";
    wide.runs.push_back({0, wide.text.size(), CharFormat{"DejaVu Sans", 14}});
    RichTextEdit view;
    view.resize(300, 200);
    view.show();
    view.setFromDocument(wide);
    ASSERT_TRUE(jwtest::waitUntil([&] { return !view.isLoading(); }));
    QScrollBar *bar = view.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const QTextCursor shown(view.cursorForPosition(QPoint(5, 5)).block());
    const int y = view.cursorRect(shown).top();
    bar->setValue(bar->value() - 100);
    view.viewport()->repaint();
    EXPECT_EQ(view.cursorRect(shown).top(), y + 100);
}
