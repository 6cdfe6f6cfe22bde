// The editor's content against the page model, through memory, files and the clipboard.
#include "helpers.h"
#include "support/files.h"
#include "base/ioerror.h"
#include "ui/richtextedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace jw::ui;
using namespace jw::ui::test;
using jw::rtf::Document;
using namespace Qt::StringLiterals;

namespace {

const auto kSans = fmt("DejaVu Sans", 20);
const auto kBold = fmt("DejaVu Sans", 20, true);
const auto kSerif = fmt("DejaVu Serif", 17, false, true, true);

Document roundTrip(const Document &doc)
{
    RichTextEdit edit;
    edit.setFromDocument(doc);
    return edit.toDocument();
}

} // namespace

TEST(RichTextModel, EveryCharacterAndFormatComesBack)
{
    const Document pages[] = {
        {},
        makeDoc({{u"plain "_s, kSans}, {u"bold"_s, kBold}, {u" small"_s, kSerif},
                 {u" all"_s, fmt("DejaVu Sans Mono", 48, true, true, true)}}),
        // Paragraph and line breaks stay apart; empty paragraphs keep their own formats.
        makeDoc({{u"one\u2028two\nthree\n\nfour"_s, kSans}, {u"\n"_s, kBold}, {u"\n"_s, kSerif}}),
        makeDoc({{u"\n"_s, kSerif}, {u"\n\n"_s, kBold}}),
        // Run boundaries beside and between surrogate pairs.
        makeDoc({{u"a\t\U0001F600"_s, kSans}, {u"\U0001F4A9\U00010348\tz"_s, kBold}, {u"\u00e9\u4e2d"_s, kSerif}}),
        makeDoc({{u"a"_s, fmt("DejaVu Sans", 17)}, {u"b"_s, fmt("DejaVu Sans", 1)}, {u"c"_s, fmt("X", 3277)}}),
    };
    for (const Document &page : pages)
        EXPECT_EQ(roundTrip(page), page);

    QRandomGenerator rng(20240611);
    const QString pieces[] = {u"a"_s, u"Zq "_s, u"\n"_s, u"\u2028"_s, u"\t"_s, u"\U0001F600"_s,
                              u"\u00fc\u00df\u0416\u00a0"_s, u"\U0002A6B2"_s};
    const char *fonts[] = {"DejaVu Sans", "DejaVu Serif", "Some Missing Font"};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::pair<QString, jw::rtf::CharFormat>> parts;
        for (int r = int(rng.bounded(1, 12)); r > 0; --r) {
            QString text;
            for (int i = int(rng.bounded(1, 8)); i > 0; --i)
                text += pieces[rng.bounded(8)];
            parts.emplace_back(text, fmt(fonts[rng.bounded(3)], int(rng.bounded(1, 200)), rng.bounded(2),
                                         rng.bounded(2), rng.bounded(2)));
        }
        const Document doc = makeDoc(parts);
        ASSERT_EQ(roundTrip(doc), doc) << "round " << round;
    }
}

TEST(RichTextModel, WhatWouldBreakOffsetsBecomesPlainCharacters)
{
    RichTextEdit edit;
    // Frame markers and carriage returns, which QTextCursor would turn into structure.
    edit.setFromDocument(makeDoc({{u"a\uFDD0b\r\nc\rd\u2029e\uFDD1"_s, kSans}}));
    EXPECT_EQ(edit.Text(), u"a\uFFFDb\nc\nd\ne\uFFFD"_s);
    EXPECT_EQ(edit.document()->blockCount(), 4);
    // Runs that overlap, leave gaps, reach past the end: every character once.
    Document broken;
    broken.text = u"abcdef\r\nghij";
    broken.runs = {{0, 4, kBold}, {2, 3, kSans}, {7, 2, kSerif}, {9, 100, kBold}, {50, 3, kSans}};
    edit.setFromDocument(broken);
    EXPECT_EQ(edit.Text(), u"abcdef\nghij"_s);
    EXPECT_EQ(edit.toDocument().runs.front(), (jw::rtf::Run{0, 4, kBold}));
    // setText is unformatted, keeps the lines and guesses no markup.
    edit.setText(u"one\r\ntwo\rthree\u2029<b>four</b>\uFDD0"_s);
    EXPECT_EQ(edit.Text(), u"one\ntwo\nthree\n<b>four</b>\uFFFD"_s);
    // Text without runs or fonts (a plain-text file) shows in the editor's font.
    const std::string family = edit.document()->defaultFont().family().toStdString();
    broken.runs.clear();
    for (const Document &doc : {edit.toDocument(), roundTrip(broken), roundTrip(makeDoc({{u"x"_s, fmt("", 24)}}))}) {
        ASSERT_EQ(doc.runs.size(), 1u);
        EXPECT_EQ(doc.runs[0].format.font, family);
        EXPECT_FALSE(doc.runs[0].format.bold);
    }
}

TEST(RichTextModel, LoadingStartsAFreshPage)
{
    RichTextEdit edit;
    edit.resize(300, 200);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QString lines;
    for (int i = 0; i < 300; ++i)
        lines += u"line %1\n"_s.arg(i);
    edit.setFromDocument(makeDoc({{lines, kSans}}));
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(u"typed"_s);
    edit.ensureCursorVisible();
    ASSERT_GT(edit.verticalScrollBar()->value(), 0);

    // The first line is empty: typing there takes the format of its break.
    const Document next = makeDoc({{u"\n"_s, kBold}, {lines, kSans}});
    edit.setFromDocument(next);
    EXPECT_EQ(std::pair(edit.SelStart(), edit.SelLength()), std::pair(0, 0));
    EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
    EXPECT_EQ(edit.SelBold(), true);
    EXPECT_FALSE(edit.document()->isModified());
    edit.undo(); // nothing to undo into the last page
    EXPECT_EQ(edit.toDocument(), next);
    edit.insertPlainText(u"x"_s);
    EXPECT_TRUE(edit.document()->isUndoAvailable());
    // The old caret's bold does not leak into an empty page.
    edit.setFromDocument(Document{});
    EXPECT_EQ(edit.SelBold(), false);
}

TEST(RichTextModel, PastingKeepsOnlyWhatAPageHolds)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{u"aaaa"_s, kSans}, {u"bbbb"_s, kBold}}));
    edit.setSelStart(4);
    auto *mime = new QMimeData;
    mime->setHtml(u"<b>bold</b><span style=\"color:red; font-family:'DejaVu Serif'; font-size:18pt\">red</span>"
                  "<a href=\"http://example.invalid\">link</a><img src=\"nothing.png\">"
                  "<ul><li>one</li><li>two</li></ul><ol><li>first</li></ol>"
                  "<table><tr><td>A</td><td>B<p>b</p></td></tr><tr><td>C</td><td>D</td></tr></table>"_s);
    mime->setText(u"the plain version"_s);
    QGuiApplication::clipboard()->setMimeData(mime);
    edit.paste();
    // Items and rows on lines of their own, cells apart by tabs; the frames go.
    EXPECT_EQ(edit.Text(), u"aaaaboldredlink\n\u2022 one\n\u2022 two\n1. first\nA\tB b\nC\tDbbbb"_s);
    EXPECT_EQ(edit.toDocument().runs[1], (jw::rtf::Run{4, 4, kBold})); // in the caret's font
    edit.setSelStart(8);
    edit.setSelLength(3);
    EXPECT_EQ(edit.SelFontName(), u"DejaVu Serif"_s);
    EXPECT_EQ(edit.SelFontSize(), 18.0);
    for (const QTextFormat &f : edit.document()->allFormats()) {
        EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush) || f.isImageFormat());
        EXPECT_FALSE(f.isCharFormat() && f.toCharFormat().isAnchor());
    }
    EXPECT_TRUE(edit.document()->rootFrame()->childFrames().isEmpty());

    // Plain text replaces the selection in the format at the caret.
    edit.setFromDocument(makeDoc({{u"aaaa"_s, kSans}, {u"bbbb"_s, kBold}}));
    edit.setSelStart(5);
    edit.setSelLength(2);
    QGuiApplication::clipboard()->setText(u"X\nY"_s);
    edit.paste();
    EXPECT_EQ(edit.toDocument(), makeDoc({{u"aaaa"_s, kSans}, {u"bX\nYb"_s, kBold}}));
}

TEST(RichTextFiles, SavedPagesLoadBackTheSame)
{
    const Document page = makeDoc({{u"Title"_s, fmt("DejaVu Serif", 32, true)},
                                   {u"\nline\u2028next\tcol\n\U0001F600 \u00e9t\u00e9"_s, kSerif}});
    RichTextEdit writer;
    writer.setFromDocument(page);
    writer.SaveFile(u"Notes.rtf"_s);
    EXPECT_TRUE(jwtest::readBytes(u"Notes.rtf"_s).startsWith("{\\rtf"));
    RichTextEdit reader;
    reader.LoadFile(u"Notes.rtf"_s);
    EXPECT_EQ(reader.toDocument(), page);
    writer.setText(u"short"_s);
    writer.SaveFile(u"Notes.rtf"_s); // replaces the file
    reader.LoadFile(u"Notes.rtf"_s);
    EXPECT_EQ(reader.Text(), u"short"_s);
    ASSERT_TRUE(jwtest::writeBytes(u"empty.rtf"_s, {}));
    reader.LoadFile(u"empty.rtf"_s);
    EXPECT_EQ(reader.toDocument(), Document{});
}

TEST(RichTextFiles, FailuresAreRaisedAndChangeNeitherPageNorFile)
{
    const Document page = makeDoc({{u"page text"_s, kSerif}});
    RichTextEdit edit;
    edit.setText(u"old"_s);
    edit.SaveFile(u"keep.rtf"_s);
    const QByteArray before = jwtest::readBytes(u"keep.rtf"_s);
    edit.setFromDocument(page);
    ASSERT_TRUE(QDir().mkdir(u"a folder.rtf"_s));
    EXPECT_THROW(edit.LoadFile(u"missing.rtf"_s), jw::IoError);
    EXPECT_THROW(edit.LoadFile(u"a folder.rtf"_s), jw::IoError);
    EXPECT_THROW(edit.SaveFile(u"no such folder/x.rtf"_s), jw::IoError);
    if (::geteuid() != 0) { // root writes anywhere
        QFile::setPermissions(u"."_s, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_THROW(edit.SaveFile(u"keep.rtf"_s), jw::IoError);
        QFile::setPermissions(u"."_s, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(jwtest::readBytes(u"keep.rtf"_s), before);
    EXPECT_EQ(edit.toDocument(), page);
}
