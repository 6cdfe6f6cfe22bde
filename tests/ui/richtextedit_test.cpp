// The rich text editor: its content against the page model (memory, files,
// clipboard), the selection with its mixed attributes, SelChange, printing.
#include "support/qtwait.h"
#include "base/ioerror.h"
#include "ui/paragraphjoins.h"
#include "ui/richtextedit.h"

#include <QTextBlock>
#include <QClipboard>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace jw::ui;
using namespace Qt::StringLiterals;
using jw::rtf::CharFormat;
using jw::rtf::Document;

namespace {

const CharFormat kA{"DejaVu Sans", 20};
const CharFormat kB{"DejaVu Serif", 24, true, true, true};
const std::string kShownA = "DejaVu Sans|10|0|0|0";
const std::string kShownB = "DejaVu Serif|12|1|1|1";

/// A page from pieces of text with their formats, runs merged as the model wants them.
Document page(const std::vector<std::pair<QString, CharFormat>> &pieces)
{
    Document doc;
    for (const auto &[text, format] : pieces) {
        if (!doc.runs.empty() && doc.runs.back().format == format)
            doc.runs.back().length += std::size_t(text.size());
        else if (!text.isEmpty())
            doc.runs.push_back({doc.text.size(), std::size_t(text.size()), format});
        doc.text += text.toStdU16String();
    }
    return doc;
}

Document roundTrip(const Document &doc)
{
    RichTextEdit edit;
    edit.setFromDocument(doc);
    return edit.toDocument();
}

void select(RichTextEdit &edit, int start, int length)
{
    edit.setSelStart(start);
    edit.setSelLength(length);
}

/// The five selection attributes as "font|size|bold|italic|underline", '*' where mixed.
std::string attributes(const RichTextEdit &e)
{
    std::ostringstream out;
    out << e.SelFontName().value_or(u"*"_s).toStdString();
    const auto put = [&out](const auto &...v) { ((v ? void(out << '|' << *v) : void(out << "|*")), ...); };
    put(e.SelFontSize(), e.SelBold(), e.SelItalic(), e.SelUnderline());
    return out.str();
}

} // namespace

TEST(RichTextModel, EveryCharacterAndFormatComesBackFromMemoryAndFilesAndLoadingStartsAFreshPage)
{
    // Breaks of both kinds, empty paragraphs, tabs and surrogate pairs at and between run boundaries.
    QRandomGenerator rng(20240611);
    const QString pieces[] = {
        u"a"_s,         u"Zq "_s, u"\n"_s, u"\u2028"_s, u"\t"_s, u"\U0001F600"_s, u"\u00fc\u00df\u0416\u00a0"_s,
        u"\U0002A6B2"_s};
    const char *fonts[] = {"DejaVu Sans", "DejaVu Serif", "Some Missing Font"};
    Document doc;
    for (int round = 0; round < 200; ++round) {
        std::vector<std::pair<QString, CharFormat>> parts;
        for (int r = int(rng.bounded(1, 12)); r > 0; --r) {
            QString text;
            for (int i = int(rng.bounded(1, 8)); i > 0; --i)
                text += pieces[rng.bounded(8)];
            parts.emplace_back(text, CharFormat{fonts[rng.bounded(3)], int(rng.bounded(1, 200)), rng.bounded(2) == 1,
                                                rng.bounded(2) == 1, rng.bounded(2) == 1});
        }
        doc = page(parts);
        ASSERT_EQ(roundTrip(doc), doc) << "round " << round;
    }
    RichTextEdit edit, reader;
    edit.setFromDocument(doc);
    edit.SaveFile(u"Notes.rtf"_s);
    reader.LoadFile(u"Notes.rtf"_s);
    EXPECT_THROW(reader.LoadFile(u"missing.rtf"_s), jw::IoError); // and leaves the page as it was
    EXPECT_EQ(reader.toDocument(), doc);
    // A loaded page starts fresh: unmodified, nothing to undo into the last page, and the caret in the
    // format of the text it stands at (on an empty first line, its break's), not the old caret's.
    reader.insertPlainText(u"x"_s);
    reader.setFromDocument(page({{u"\n"_s, kB}, {u"text"_s, kA}}));
    EXPECT_EQ(std::tuple(attributes(reader), reader.document()->isModified(), reader.document()->isUndoAvailable()),
              std::tuple(kShownB, false, false));
    reader.insertPlainText(u"x"_s);
    EXPECT_TRUE(reader.document()->isUndoAvailable());
    reader.setFromDocument(Document{});
    EXPECT_EQ(reader.SelBold(), false);
    // A page too long to load at once comes in slices, then takes edits like any other.
    reader.setFromDocument(Document{std::u16string(70000, u'y'), {}});
    EXPECT_EQ(std::pair(reader.Text().size(), reader.document()->isModified()), std::pair(qsizetype(70000), false));
    reader.insertPlainText(u"x"_s);
    EXPECT_EQ(std::pair(reader.Text().size(), reader.document()->isUndoAvailable()), std::pair(qsizetype(70001), true));
}

TEST(RichTextModel, WhatWouldBreakOffsetsBecomesPlainCharactersAndPastesKeepOnlyWhatAPageHolds)
{
    RichTextEdit edit;
    // Frame markers and carriage returns, which QTextCursor would turn into structure.
    edit.setFromDocument(page({{u"a\uFDD0b\r\nc\rd\u2029e\uFDD1"_s, kA}}));
    EXPECT_EQ(std::pair(edit.Text(), edit.document()->blockCount()), std::pair(u"a\uFFFDb\nc\nd\ne\uFFFD"_s, 4));
    // Runs that overlap, leave gaps, reach past the end: every character once.
    Document broken{u"abcdef\r\nghij", {{0, 4, kB}, {2, 3, kA}, {7, 2, kA}, {9, 100, kB}, {50, 3, kA}}};
    edit.setFromDocument(broken);
    EXPECT_EQ(edit.Text(), u"abcdef\nghij"_s);
    EXPECT_EQ(edit.toDocument().runs.front(), (jw::rtf::Run{0, 4, kB}));
    // setText is unformatted, keeps the lines and guesses no markup.
    edit.setText(u"one\r\ntwo\rthree\u2029<b>four</b>\uFDD0"_s);
    EXPECT_EQ(edit.Text(), u"one\ntwo\nthree\n<b>four</b>\uFFFD"_s);
    // Text without runs or fonts (a plain-text file) shows in the editor's font.
    const std::string family = edit.document()->defaultFont().family().toStdString();
    broken.runs.clear();
    for (const Document &doc : {edit.toDocument(), roundTrip(broken), roundTrip(page({{u"x"_s, {"", 24}}}))}) {
        ASSERT_EQ(doc.runs.size(), 1u);
        EXPECT_EQ(std::pair(doc.runs[0].format.font, doc.runs[0].format.bold), std::pair(family, false));
    }
    // Pasting keeps only what a page holds, in the caret's format where the source has none.
    edit.setFromDocument(page({{u"aaaa"_s, kA}, {u"bbbb"_s, kB}}));
    edit.setSelStart(4);
    auto *mime = new QMimeData;
    mime->setHtml(u"<b>bold</b><span style=\"color:red; font-family:'DejaVu Serif'; font-size:18pt\">red</span>"
                  "<a href=\"http://example.invalid\">link</a><img src=\"nothing.png\">"
                  "<ul><li>one</li><li>two</li></ul><ol><li>first</li></ol>"
                  "<table><tr><td>A</td><td>B<p>b</p></td></tr><tr><td>C</td><td>D</td></tr></table>"_s);
    mime->setText(u"the plain version"_s);
    QGuiApplication::clipboard()->setMimeData(mime);
    edit.paste();
    // Items and rows on lines of their own, cells apart by tabs; images and frames go.
    EXPECT_EQ(edit.Text(), u"aaaaboldredlink\n\u2022 one\n\u2022 two\n1. first\nA\tB b\nC\tDbbbb"_s);
    EXPECT_EQ(edit.toDocument().runs[1], (jw::rtf::Run{4, 4, {"DejaVu Sans", 20, true}}));
    select(edit, 8, 3);
    EXPECT_EQ(attributes(edit), "DejaVu Serif|18|0|0|0");
    select(edit, 47, 2); // plain text replaces the selection
    QGuiApplication::clipboard()->setText(u"X\nY"_s);
    edit.paste();
    const Document pasted = edit.toDocument();
    EXPECT_EQ(std::pair(pasted.text, pasted.runs.back()),
              std::pair(std::u16string(u"aaaaboldredlink\n\u2022 one\n\u2022 two\n1. first\nA\tB b\nC\tDbX\nYb"),
                        jw::rtf::Run{46, 5, kB}));
}

TEST(RichTextModel, AnOverLongParagraphIsEditedInPiecesYetReadWrittenSelectedAndCopiedAsOne)
{
    // Words in alternating formats, a 9,000-unit word of surrogate pairs, then a short paragraph.
    std::vector<std::pair<QString, CharFormat>> parts;
    parts.reserve(1502);
    for (int i = 0; i < 1500; ++i)
        parts.emplace_back(i == 1400 ? u"needle "_s : u"word "_s, i % 2 ? kA : kB);
    parts.emplace_back(QString(u"\U0001F600"_s).repeated(4500) + u" tail"_s, kA);
    parts.emplace_back(u"\nend"_s, kB);
    const Document doc = page(parts);
    RichTextEdit edit, reader;
    edit.setFromDocument(doc);
    ASSERT_GT(edit.document()->blockCount(), 3); // held in pieces, else this tests nothing
    EXPECT_TRUE(edit.document()->firstBlock().text().endsWith(u' ')) << "a piece ends after a word";
    edit.SaveFile(u"Long.rtf"_s);
    reader.LoadFile(u"Long.rtf"_s);
    const QString text = QString::fromStdU16String(doc.text);
    EXPECT_EQ(std::tuple(edit.toDocument(), reader.toDocument(), edit.Text()), std::tuple(doc, doc, text));
    // Offsets past the joins select what Text() holds there, and copy as one paragraph.
    const int needle = int(text.indexOf(u"needle"_s));
    select(edit, needle, 6);
    EXPECT_EQ(std::tuple(edit.SelText(), edit.SelStart(), edit.SelLength()), std::tuple(u"needle"_s, needle, 6));
    select(edit, 0, needle + 6);
    edit.copy();
    RichTextEdit pasted; // pasted, it is cut into pieces again
    pasted.paste();
    EXPECT_EQ(std::pair(QGuiApplication::clipboard()->text(), pasted.Text()),
              std::pair(text.left(needle + 6), text.left(needle + 6)));
    // Enter in a joined piece is a paragraph break of its own; undo takes it back whole.
    edit.setSelStart(needle);
    QTest::keyClick(edit.viewport(), Qt::Key_Return);
    EXPECT_EQ(edit.Text(), text.left(needle) + u'\n' + text.mid(needle));
    edit.undo();
    EXPECT_EQ(edit.toDocument(), doc);
    // Backspace and Delete at a join take the character beyond it.
    const int join = edit.document()->firstBlock().next().position() - 1;
    select(edit, join - 1, 2);
    EXPECT_EQ(std::pair(edit.SelText(), edit.SelLength()), std::pair(text.mid(join - 1, 2), 2));
    for (const auto &[key, at, gone] :
         {std::tuple(Qt::Key_Delete, join, join), std::tuple(Qt::Key_Backspace, join + 1, join - 1)}) {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(at);
        edit.setTextCursor(cursor);
        QTest::keyClick(edit.viewport(), key);
        EXPECT_EQ(edit.Text(), QString(text).remove(gone, 1)) << key;
        edit.undo();
    }
    // Joins side by side, at the start of a stretch or beyond it ('|' stands for one).
    for (const auto &[at, from, plain] :
         {std::tuple(std::vector{0, 3, 4}, 0, u"abc"_s), std::tuple(std::vector{13, 40}, 10, u"|ab|c"_s)})
        EXPECT_EQ(jw::ui::joins::withoutJoins(u"|ab||c"_s, at, from), plain);
}

TEST(RichTextSelection, OffsetsCountBreaksAsOneNeverSplitAPairAndAttributesAreMixedWhereTheyDiffer)
{
    RichTextEdit edit;
    edit.setFromDocument(page({{u"ab\ncd\u2028ef\tg"_s, kA}}));
    select(edit, 1, 7);
    EXPECT_EQ(std::tuple(edit.SelStart(), edit.SelLength(), edit.SelText()), std::tuple(1, 7, u"b\ncd\nef"_s));
    // Out of range values are clamped; a start inside a pair moves to its start, an end inside it to its end.
    edit.setText(u"a\U0001F600b"_s);
    const int clamps[][4] = {{99, 0, 4, 0}, {1, 99, 1, 3}, {1, -1, 1, 0}, {-5, 2, 0, 3}, {2, 1, 1, 2}, {3, 1, 3, 1}};
    for (const auto &row : clamps) {
        select(edit, row[0], row[1]);
        EXPECT_EQ(std::pair(edit.SelStart(), edit.SelLength()), std::pair(row[2], row[3])) << row[0] << "," << row[1];
    }
    // A selection made backwards: SelStart is its low end, and a length counts from there.
    edit.moveCursor(QTextCursor::End);
    edit.moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    edit.setSelLength(0);
    EXPECT_EQ(std::pair(edit.SelStart(), edit.SelText()), std::pair(3, QString()));
    auto ab = [](const CharFormat &b) { return page({{u"aaaa"_s, kA}, {u"bbbb"_s, b}}); };
    const auto paragraphs = page({{u"ab"_s, kA}, {u"\n"_s, kB}, {u"cd"_s, kA}});
    const std::tuple<Document, int, int, std::string> table[] = {
        {ab({"DejaVu Serif", 20}), 2, 4, "*|10|0|0|0"},
        {ab({"DejaVu Sans", 21}), 2, 4, "DejaVu Sans|*|0|0|0"},
        {ab({"DejaVu Sans", 20, true}), 2, 4, "DejaVu Sans|10|*|0|0"},
        {ab({"DejaVu Sans", 20, false, true}), 2, 4, "DejaVu Sans|10|0|*|0"},
        {ab({"DejaVu Sans", 20, false, false, true}), 2, 4, "DejaVu Sans|10|0|0|*"},
        {ab(kB), 2, 4, "*|*|*|*|*"},
        {ab(kB), 4, 4, kShownB},
        {ab(kB), 0, 4, kShownA}, // up to a boundary, not over
        {ab(kB), 2, 0, kShownA},
        {ab(kB), 6, 0, kShownB},
        {ab(kB), 4, 0, kShownA},                               // after "a": the text before decides
        {page({{u"bb"_s, kB}, {u"aa"_s, kA}}), 0, 0, kShownB}, // at the start: the first character
        {paragraphs, 0, 5, kShownA},
        {paragraphs, 2, 1, kShownB}}; // a break counts only alone
    for (const auto &[doc, start, length, want] : table) {
        edit.setFromDocument(doc);
        select(edit, start, length);
        EXPECT_EQ(attributes(edit), want) << start << "," << length;
    }
    // The setters apply to the selection, or without one to what is typed next.
    edit.setFromDocument(ab(kB));
    select(edit, 2, 0);
    edit.setSelBold(true);
    edit.setSelFontSize(8); // nothing changes until typing
    QTest::keyClicks(&edit, u"xy"_s);
    EXPECT_EQ(edit.toDocument(),
              page({{u"aa"_s, kA}, {u"xy"_s, {"DejaVu Sans", 16, true}}, {u"aa"_s, kA}, {u"bbbb"_s, kB}}));
    edit.setFromDocument(ab(kB));
    select(edit, 2, 4);
    edit.setSelBold(true);
    EXPECT_EQ(attributes(edit), "*|*|1|*|*");
    edit.setSelBold(false);
    edit.setSelItalic(false);
    edit.setSelUnderline(true);
    edit.setSelFontName(u"ms sans serif"_s); // kept as given, installed or not
    edit.setSelFontSize(10.3);               // to half points
    for (double nonsense : {0.0, -4.0, 2000.0, qQNaN(), qInf()})
        edit.setSelFontSize(nonsense);
    edit.setSelFontName(QString());
    EXPECT_EQ(edit.toDocument(),
              page({{u"aa"_s, kA}, {u"aabb"_s, {"ms sans serif", 21, false, false, true}}, {u"bb"_s, kB}}));
}

TEST(RichTextSelection, SelChangeComesOncePerChangeWithTheFinalSelection)
{
    RichTextEdit edit;
    edit.setFromDocument(page({{u"first line\nsecond line\nthird"_s, kA}}));
    const Document another = page({{u"page"_s, kB}});
    using Seen = QList<std::pair<int, int>>;
    Seen seen;
    QObject::connect(&edit, &RichTextEdit::SelChange, &edit, [&] { seen.append({edit.SelStart(), edit.SelLength()}); });
    const std::tuple<const char *, std::function<void()>, bool> table[] = {
        {"the same caret again", [&] { edit.setSelStart(edit.SelStart()); }, false},
        {"typing", [&] { QTest::keyClick(&edit, Qt::Key_X); }, true},
        {"a selecting key", [&] { QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier); }, true},
        {"a moving key", [&] { QTest::keyClick(&edit, Qt::Key_Down); }, true},
        {"the program", [&] { select(edit, 12, 6); }, true},
        {"loading at the start", [&] { edit.setFromDocument(another); }, true},
        {"flushing: at once, not again",
         [&] {
             select(edit, 1, 2);
             edit.flushSelChange();
             EXPECT_EQ(seen.size(), 1);
         },
         true}};
    for (const auto &[name, action, raises] : table) {
        ASSERT_TRUE(jwtest::waitUntil([&] { return !edit.selChangePending(); }));
        seen.clear();
        action();
        ASSERT_TRUE(jwtest::waitUntil([&] { return !edit.selChangePending(); }));
        jwtest::settle();
        EXPECT_EQ(seen, (raises ? Seen{{edit.SelStart(), edit.SelLength()}} : Seen{})) << name;
    }
}

TEST(RichTextPrint, TheSelectionOrElseEverythingInOneJobWithNothingAdded)
{
    // Prints into a PDF and reads its text back: page by page, form feeds between.
    auto printed = [](const RichTextEdit &edit, const QString &name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(name);
        EXPECT_TRUE(edit.SelPrint(&printer));
        EXPECT_EQ(QProcess::execute(u"pdftotext"_s, {name, name + u".txt"_s}), 0);
        return QString::fromUtf8(jwtest::readBytes(name + u".txt"_s));
    };
    QStringList lines{u"Heading"_s};
    for (int i = 1; i <= 150; ++i)
        lines << u"line number %1"_s.arg(i);
    RichTextEdit edit;
    edit.setFromDocument(page({{lines.first(), {"DejaVu Sans", 28, true}}, {u"\n"_s + lines.mid(1).join(u'\n'), kA}}));
    const QString all = printed(edit, u"all.pdf"_s);
    EXPECT_EQ(all.simplified(), lines.join(u' ')); // no page numbers, headers or lost lines
    EXPECT_TRUE(all.count(u'\f') > 2 && !all.startsWith(u'\f')) << "several pages, none blank";
    select(edit, 8, 13);
    EXPECT_EQ(printed(edit, u"sel.pdf"_s).simplified(), u"line number 1"_s);
    QPrinter nowhere;
    nowhere.setOutputFileName(u"no such folder/x.pdf"_s);
    EXPECT_FALSE(edit.SelPrint(nullptr) || edit.SelPrint(&nowhere));
}
