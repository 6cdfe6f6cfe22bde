// The editor's selection: offsets, attributes with their mixed state, SelChange, printing.
#include "helpers.h"
#include "support/qtwait.h"
#include "ui/richtextedit.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace jw::ui;
using namespace jw::ui::test;
using namespace Qt::StringLiterals;
using jw::rtf::CharFormat;

namespace {

const auto kA = fmt("DejaVu Sans", 20);
const auto kB = fmt("DejaVu Serif", 24, true, true, true);

void select(RichTextEdit &edit, int start, int length)
{
    edit.setSelStart(start);
    edit.setSelLength(length);
}

template <typename T>
std::string shown(const std::optional<T> &value)
{
    std::ostringstream out;
    if constexpr (std::is_same_v<T, QString>)
        out << (value ? value->toStdString() : "*");
    else
        value ? void(out << *value) : void(out << '*');
    return out.str();
}

/// The five selection attributes as "font|size|bold|italic|underline", '*' where mixed.
std::string attributes(const RichTextEdit &e)
{
    return shown(e.SelFontName()) + '|' + shown(e.SelFontSize()) + '|' + shown(e.SelBold()) + '|' +
           shown(e.SelItalic()) + '|' + shown(e.SelUnderline());
}

std::string attributes(const CharFormat &f)
{
    return shown(std::optional(QString::fromStdString(f.font))) + '|' + shown(std::optional(f.halfPoints / 2.0)) +
           '|' + shown(std::optional(f.bold)) + '|' + shown(std::optional(f.italic)) + '|' +
           shown(std::optional(f.underline));
}

} // namespace

TEST(RichTextSelection, OffsetsCountBreaksAsOneAndNeverSplitAPair)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{u"ab\ncd\u2028ef\tg"_s, kA}}));
    const QString text = edit.Text();
    ASSERT_EQ(text, u"ab\ncd\nef\tg"_s);
    for (int start = 0; start <= text.size(); ++start) {
        for (int length = 0; start + length <= text.size(); ++length) {
            select(edit, start, length);
            ASSERT_EQ(std::pair(edit.SelStart(), edit.SelLength()), std::pair(start, length));
            ASSERT_EQ(edit.SelText(), text.mid(start, length)) << start << "," << length;
        }
    }
    // Out of range values are clamped; a start inside a pair moves to its
    // start, an end inside it to its end.
    edit.setText(u"a\U0001F600b"_s);
    const int table[][4] = {{99, 0, 4, 0}, {1, 99, 1, 3}, {1, -1, 1, 0}, {-5, 2, 0, 3}, {2, 1, 1, 2}, {3, 1, 3, 1}};
    for (const auto &row : table) {
        select(edit, row[0], row[1]);
        EXPECT_EQ(std::pair(edit.SelStart(), edit.SelLength()), std::pair(row[2], row[3])) << row[0] << "," << row[1];
    }
    // A selection made backwards: SelStart is its low end, and a length counts from there.
    QTextCursor c = edit.textCursor();
    c.setPosition(4);
    c.setPosition(1, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
    EXPECT_EQ(std::pair(edit.SelStart(), edit.SelLength()), std::pair(1, 3));
    edit.setSelLength(2);
    EXPECT_EQ(edit.SelText(), u"\U0001F600"_s);
}

TEST(RichTextSelection, EachAttributeIsMixedWhereItDiffersAndOnlyThere)
{
    const std::pair<CharFormat, const char *> table[] = {
        {fmt("DejaVu Serif", 20), "*|10|0|0|0"},      {fmt("DejaVu Sans", 21), "DejaVu Sans|*|0|0|0"},
        {fmt("DejaVu Sans", 20, true), "DejaVu Sans|10|*|0|0"}, {fmt("DejaVu Sans", 20, false, true), "DejaVu Sans|10|0|*|0"},
        {fmt("DejaVu Sans", 20, false, false, true), "DejaVu Sans|10|0|0|*"}, {kB, "*|*|*|*|*"}};
    RichTextEdit edit;
    for (const auto &[second, mixed] : table) {
        edit.setFromDocument(makeDoc({{u"aaaa"_s, kA}, {u"bbbb"_s, second}}));
        select(edit, 2, 4);
        EXPECT_EQ(attributes(edit), mixed);
        select(edit, 4, 4);
        EXPECT_EQ(attributes(edit), attributes(second));
        select(edit, 0, 4); // up to the boundary, not over it
        EXPECT_EQ(attributes(edit), attributes(kA));
    }
}

TEST(RichTextSelection, TheCaretReadsWhatTypingGetsAndBreaksCountAlone)
{
    const auto ab = makeDoc({{u"aaaa"_s, kA}, {u"bbbb"_s, kB}});
    const auto paragraphs = makeDoc({{u"ab"_s, kA}, {u"\n"_s, kB}, {u"cd"_s, kA}});
    const std::tuple<jw::rtf::Document, int, int, CharFormat> table[] = {
        {ab, 2, 0, kA}, {ab, 6, 0, kB},
        {ab, 4, 0, kA},                                  // after the last "a": the text before decides
        {makeDoc({{u"bb"_s, kB}, {u"aa"_s, kA}}), 0, 0, kB}, // at the start: the first character
        {paragraphs, 0, 5, kA},                          // a break among text does not count
        {paragraphs, 2, 1, kB}};                         // a break alone does
    RichTextEdit edit;
    for (const auto &[doc, start, length, want] : table) {
        edit.setFromDocument(doc);
        select(edit, start, length);
        EXPECT_EQ(attributes(edit), attributes(want)) << start << "," << length;
    }
}

TEST(RichTextSelection, SettersApplyToTheSelectionOrToWhatIsTypedNext)
{
    const auto ab = makeDoc({{u"aaaa"_s, kA}, {u"bbbb"_s, kB}});
    RichTextEdit edit;
    edit.setFromDocument(ab);
    select(edit, 2, 0);
    edit.setSelBold(true);
    edit.setSelFontSize(8);
    EXPECT_EQ(edit.toDocument(), ab);
    EXPECT_EQ(attributes(edit), "DejaVu Sans|8|1|0|0");
    QTest::keyClicks(&edit, u"xy"_s);
    EXPECT_EQ(edit.toDocument(), makeDoc({{u"aa"_s, kA}, {u"xy"_s, fmt("DejaVu Sans", 16, true)},
                                          {u"aa"_s, kA}, {u"bbbb"_s, kB}}));

    edit.setFromDocument(ab);
    select(edit, 2, 4);
    edit.setSelBold(true);
    EXPECT_EQ(attributes(edit), "*|*|1|*|*");
    edit.setSelBold(false);
    edit.setSelItalic(false);
    edit.setSelUnderline(true);
    edit.setSelFontName(u"ms sans serif"_s); // kept as given, installed or not
    edit.setSelFontSize(10.3);               // to half points
    const auto mono = fmt("ms sans serif", 21, false, false, true);
    EXPECT_EQ(edit.toDocument(), makeDoc({{u"aa"_s, kA}, {u"aabb"_s, mono}, {u"bb"_s, kB}}));
    for (double nonsense : {0.0, -4.0, 2000.0, qQNaN(), qInf()})
        edit.setSelFontSize(nonsense);
    edit.setSelFontName(QString());
    EXPECT_EQ(attributes(edit), attributes(mono));
}

TEST(RichTextSelection, SelChangeComesOncePerChangeWithTheFinalSelection)
{
    RichTextEdit edit;
    edit.resize(400, 300);
    edit.setFromDocument(makeDoc({{u"first line\nsecond line\nthird"_s, kA}}));
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    edit.setFocus();
    QList<std::pair<int, int>> seen;
    QObject::connect(&edit, &RichTextEdit::SelChange, &edit, [&] { seen.append({edit.SelStart(), edit.SelLength()}); });
    const QPoint line2 = edit.cursorRect(QTextCursor(edit.document()->findBlockByNumber(1))).center();
    const std::tuple<const char *, std::function<void()>, bool> table[] = {
        {"nothing", [] {}, false},
        {"the same caret again", [&] { edit.setSelStart(edit.SelStart()); }, false},
        {"typing", [&] { QTest::keyClick(&edit, Qt::Key_X); }, true},
        {"a selecting key", [&] { QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier); }, true},
        {"a moving key", [&] { QTest::keyClick(&edit, Qt::Key_Down); }, true},
        {"the mouse", [&] { QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, line2 + QPoint(40, 0)); }, true},
        {"the program", [&] { select(edit, 12, 6); }, true},
        {"to the start", [&] { edit.setSelStart(0); }, true},
        {"loading at the start", [&] { edit.setFromDocument(makeDoc({{u"page"_s, kB}})); }, true},
        {"plain text", [&] { edit.setText(u"plain"_s); }, true}};
    for (const auto &[name, action, raises] : table) {
        ASSERT_TRUE(jwtest::waitUntil([&] { return !edit.selChangePending(); }));
        seen.clear();
        action();
        ASSERT_TRUE(jwtest::waitUntil([&] { return !edit.selChangePending(); }));
        jwtest::settle();
        using Seen = QList<std::pair<int, int>>;
        const Seen expected = raises ? Seen{{edit.SelStart(), edit.SelLength()}} : Seen{};
        EXPECT_EQ(seen, expected) << name;
    }
    seen.clear();
    select(edit, 1, 2);
    edit.flushSelChange();
    EXPECT_EQ(seen.size(), 1);
    jwtest::settle();
    EXPECT_EQ(seen.size(), 1);
}

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : u"<failed>"_s;
}

/// Prints into a PDF; its lines of text, blank ones left out.
QStringList printed(const RichTextEdit &edit, const QString &name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    EXPECT_TRUE(edit.SelPrint(&printer));
    QStringList lines = run(u"pdftotext"_s, {u"-layout"_s, name, u"-"_s}).split(u'\n');
    for (QString &line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines;
}

} // namespace

TEST(RichTextPrint, EverythingWhenNothingIsSelectedInOneJobWithNothingAdded)
{
    QStringList lines{u"Heading"_s};
    for (int i = 1; i <= 150; ++i)
        lines << u"line number %1"_s.arg(i);
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{lines.first(), fmt("DejaVu Sans", 28, true)},
                                  {u"\n"_s + lines.mid(1).join(u'\n'), fmt("DejaVu Serif", 24)}}));
    EXPECT_EQ(printed(edit, u"all.pdf"_s), lines); // no page numbers, headers or lost lines
    EXPECT_TRUE(run(u"pdfinfo"_s, {u"all.pdf"_s}).contains(QRegularExpression(u"Pages: +[3-9]\n"_s)));
    EXPECT_TRUE(run(u"pdffonts"_s, {u"all.pdf"_s}).contains(u"Bold"_s));
}

TEST(RichTextPrint, OnlyTheSelectionWhenThereIsOne)
{
    RichTextEdit edit;
    edit.setFromDocument(makeDoc({{u"Heading\n"_s, kB}, {u"body words here\u2028second line"_s, kA}}));
    select(edit, 8, 10);
    EXPECT_EQ(printed(edit, u"sel.pdf"_s), QStringList{u"body words"_s});
    EXPECT_EQ(edit.SelText(), u"body words"_s);
    QPrinter nowhere;
    nowhere.setOutputFileName(u"no such folder/x.pdf"_s);
    EXPECT_FALSE(edit.SelPrint(&nowhere));
    EXPECT_FALSE(edit.SelPrint(nullptr));
}
