// The editor's content <-> page model conversion.
#include "helpers.h"
#include "ui/richtextedit.h"

#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;
using jw::rtf::Document;

namespace {

Document roundTrip(const Document &doc)
{
    RichTextEdit edit;
    edit.setFromDocument(doc);
    return edit.toDocument();
}

const auto kArial10 = fmt("Liberation Sans", 20);
const auto kBold = fmt("Liberation Sans", 20, true);
const auto kSerif17 = fmt("DejaVu Serif", 17, false, true, true);

} // namespace

TEST(RichTextModel, MixedFormatsRoundTrip)
{
    const Document doc = makeDoc({{QStringLiteral("plain "), kArial10},
                                  {QStringLiteral("bold"), kBold},
                                  {QStringLiteral(" small italic underlined"), kSerif17},
                                  {QStringLiteral(" all"), fmt("DejaVu Sans Mono", 48, true, true, true)}});
    EXPECT_EQ(roundTrip(doc), doc);
}

TEST(RichTextModel, ParagraphAndLineBreaksStayApart)
{
    const Document doc = makeDoc({{QStringLiteral("one\u2028two\nthree\n\nfour"), kArial10}});
    RichTextEdit edit;
    edit.setFromDocument(doc);
    EXPECT_EQ(edit.document()->blockCount(), 4);
    EXPECT_EQ(edit.Text(), QStringLiteral("one\ntwo\nthree\n\nfour"));
    EXPECT_EQ(edit.toDocument(), doc);
}

TEST(RichTextModel, TabsAndAstralCharactersKeepTheirOffsets)
{
    // A run boundary right after a surrogate pair and one between two pairs.
    const Document doc = makeDoc({{QStringLiteral("a\t\U0001F600"), kArial10},
                                  {QStringLiteral("\U0001F4A9\U00010348\tz"), kBold},
                                  {QStringLiteral("\u00e9\u4e2d"), kSerif17}});
    const Document back = roundTrip(doc);
    EXPECT_EQ(back, doc);
    ASSERT_EQ(back.runs.size(), 3u);
    EXPECT_EQ(back.runs[1].start, 4u);
}

TEST(RichTextModel, EmptyDocument)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("old text"), kBold}}));
    edit.setFromDocument(Document{});
    EXPECT_EQ(edit.toDocument(), Document{});
    EXPECT_TRUE(edit.Text().isEmpty());
    EXPECT_EQ(edit.SelStart(), 0);
    // The old page's bold does not leak into the empty one.
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(false));
}

TEST(RichTextModel, FormattingOfTrailingBreaksIsKept)
{
    // Empty paragraphs at the end carry their own formats.
    const Document one = makeDoc({{QStringLiteral("ab"), kArial10}, {QStringLiteral("\n"), kBold}});
    EXPECT_EQ(roundTrip(one), one);
    const Document two = makeDoc({{QStringLiteral("ab"), kArial10},
                                  {QStringLiteral("\n"), kBold},
                                  {QStringLiteral("\n"), kSerif17}});
    EXPECT_EQ(roundTrip(two), two);
    const Document onlyBreaks = makeDoc({{QStringLiteral("\n"), kSerif17}, {QStringLiteral("\n\n"), kBold}});
    EXPECT_EQ(roundTrip(onlyBreaks), onlyBreaks);
}

TEST(RichTextModel, EmptyFirstLineTypesInItsBreakFormat)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("\n"), kBold}, {QStringLiteral("x"), kArial10}}));
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
}

TEST(RichTextModel, HalfPointSizes)
{
    const Document doc = makeDoc({{QStringLiteral("a"), fmt("DejaVu Sans", 17)},
                                  {QStringLiteral("b"), fmt("DejaVu Sans", 1)},
                                  {QStringLiteral("c"), fmt("DejaVu Sans", 3277)}});
    EXPECT_EQ(roundTrip(doc), doc);
}

TEST(RichTextModel, RandomDocumentsRoundTrip)
{
    QRandomGenerator rng(20240611);
    const QList<QString> pieces = {QStringLiteral("a"), QStringLiteral("Zq"), QStringLiteral(" "),
                                   QStringLiteral("\n"), QStringLiteral("\u2028"), QStringLiteral("\t"),
                                   QStringLiteral("\U0001F600"), QStringLiteral("\u00fc\u00df"),
                                   QStringLiteral("\u0416"), QStringLiteral("\u00a0"),
                                   QStringLiteral("\U0002A6B2")};
    const char *fonts[] = {"DejaVu Sans", "DejaVu Serif", "Liberation Mono", "Some Missing Font"};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::pair<QString, jw::rtf::CharFormat>> parts;
        const int runs = int(rng.bounded(1, 12));
        for (int r = 0; r < runs; ++r) {
            QString text;
            const int n = int(rng.bounded(1, 8));
            for (int i = 0; i < n; ++i)
                text += pieces.at(rng.bounded(int(pieces.size())));
            parts.emplace_back(text, fmt(fonts[rng.bounded(4)], int(rng.bounded(1, 200)), rng.bounded(2) == 1,
                                         rng.bounded(2) == 1, rng.bounded(2) == 1));
        }
        const Document doc = makeDoc(parts);
        ASSERT_EQ(roundTrip(doc), doc) << "round " << round;
    }
}

TEST(RichTextModel, FormatsOutsideTheModelAreIgnored)
{
    // Colour and strike-out are not page attributes: neighbouring text that
    // differs only in them is one run.
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("abcd"), kArial10}}));
    QTextCursor c(edit.document());
    c.setPosition(1);
    c.setPosition(3, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontStrikeOut(true);
    c.mergeCharFormat(red);
    EXPECT_EQ(edit.toDocument(), makeDoc({{QStringLiteral("abcd"), kArial10}}));
}

TEST(RichTextModel, EmptyFontNameShowsAsTheDefaultFont)
{
    // Plain-text files have no font table; their text shows in the editor's font.
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("x"), fmt("", 24)}}));
    const Document back = edit.toDocument();
    ASSERT_EQ(back.runs.size(), 1u);
    EXPECT_EQ(QString::fromStdString(back.runs[0].format.font), edit.document()->defaultFont().family());
}

TEST(RichTextModel, FrameMarkersAndCarriageReturnsDoNotBreakOffsets)
{
    // Characters that QTextCursor would turn into structure.
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("a\uFDD0b\r\nc\rd\u2029e"), kArial10}}));
    EXPECT_EQ(edit.Text(), QStringLiteral("a\uFFFDb\nc\nd\ne"));
    EXPECT_EQ(edit.document()->blockCount(), 4);
}

TEST(RichTextModel, SetTextIsUnformattedAndKeepsLineStructure)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("bold page"), kBold}}));
    edit.setText(QStringLiteral("one\r\ntwo\rthree\n<b>four</b>"));
    EXPECT_EQ(edit.Text(), QStringLiteral("one\ntwo\nthree\n<b>four</b>"));
    EXPECT_EQ(edit.document()->blockCount(), 4);
    const Document doc = edit.toDocument();
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_FALSE(doc.runs[0].format.bold);
    EXPECT_EQ(QString::fromStdString(doc.runs[0].format.font), edit.document()->defaultFont().family());
}

TEST(RichTextModel, LoadingStartsAFreshUndoHistory)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("first page"), kArial10}}));
    edit.textCursor().insertText(QStringLiteral("typed "));
    const Document second = makeDoc({{QStringLiteral("second page"), kBold}});
    edit.setFromDocument(second);
    EXPECT_FALSE(edit.document()->isUndoAvailable());
    edit.undo();
    EXPECT_EQ(edit.toDocument(), second);
    EXPECT_FALSE(edit.document()->isModified());
    // Editing afterwards is undoable again.
    edit.textCursor().insertText(QStringLiteral("x"));
    EXPECT_TRUE(edit.document()->isUndoAvailable());
}

TEST(RichTextModel, TextReadsBreaksAsNewlinesAndKeepsOtherCharacters)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{QStringLiteral("a\u00a0b\u2028c\nd\te"), kArial10}}));
    EXPECT_EQ(edit.Text(), QStringLiteral("a\u00a0b\nc\nd\te"));
}

TEST(RichTextModel, LoadingPutsTheCaretAndTheViewAtTheStart)
{
    RichTextEdit edit;
    edit.resize(300, 200);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QString lines;
    for (int i = 0; i < 300; ++i)
        lines += QStringLiteral("line %1\n").arg(i);
    edit.setFromDocument(makeDoc({{lines, kArial10}}));
    edit.moveCursor(QTextCursor::End);
    edit.ensureCursorVisible();
    ASSERT_GT(edit.verticalScrollBar()->value(), 0);
    edit.setFromDocument(makeDoc({{lines, kBold}}));
    EXPECT_EQ(edit.SelStart(), 0);
    EXPECT_EQ(edit.SelLength(), 0);
    EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    edit.moveCursor(QTextCursor::End);
    edit.setText(QStringLiteral("short"));
    EXPECT_EQ(edit.SelStart(), 0);
}

TEST(RichTextModel, BrokenRunsNeverLoseOrRepeatText)
{
    // Runs that overlap, leave gaps, reach past the end, or split "\r\n".
    Document doc;
    doc.text = u16(QStringLiteral("abcdef\r\nghij"));
    doc.runs = {{0, 4, kBold}, {2, 3, kArial10}, {7, 2, kSerif17}, {9, 100, kBold}, {50, 3, kArial10}};
    RichTextEdit edit;
    edit.setFromDocument(doc);
    EXPECT_EQ(edit.Text(), QStringLiteral("abcdef\nghij"));
    edit.setSelStart(0);
    edit.setSelLength(4);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    // Text without any run shows in the default font.
    doc.runs.clear();
    edit.setFromDocument(doc);
    EXPECT_EQ(edit.Text(), QStringLiteral("abcdef\nghij"));
}
