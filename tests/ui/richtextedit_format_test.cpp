// Selection attributes: mixed states, the caret, setters, paste.
#include "helpers.h"
#include "ui/richtextedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextFrame>
#include <QTest>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;
using jw::rtf::Document;

namespace {

const auto kA = fmt("DejaVu Sans", 20);                     // 10 pt
const auto kB = fmt("DejaVu Serif", 24, true, true, true);  // 12 pt, all on

/// "aaaa" in kA then "bbbb" in kB.
class SelFormatTest : public testing::Test {
protected:
    void SetUp() override { edit.setFromDocument(makeDoc({{QStringLiteral("aaaa"), kA}, {QStringLiteral("bbbb"), kB}})); }

    void select(int start, int length)
    {
        edit.setSelStart(start);
        edit.setSelLength(length);
    }

    RichTextEdit edit;
};

} // namespace

TEST_F(SelFormatTest, SelectionSpanningTwoFormatsIsMixedInEveryAttributeThatDiffers)
{
    select(2, 4);
    EXPECT_EQ(edit.SelFontName(), std::nullopt);
    EXPECT_EQ(edit.SelFontSize(), std::nullopt);
    EXPECT_EQ(edit.SelBold(), std::nullopt);
    EXPECT_EQ(edit.SelItalic(), std::nullopt);
    EXPECT_EQ(edit.SelUnderline(), std::nullopt);
}

TEST_F(SelFormatTest, OnlyTheDifferingAttributeIsMixed)
{
    // Same font and size, only bold differs.
    edit.setFromDocument(makeDoc({{QStringLiteral("aaaa"), kA}, {QStringLiteral("bbbb"), fmt("DejaVu Sans", 20, true)}}));
    select(1, 6);
    EXPECT_EQ(edit.SelBold(), std::nullopt);
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(10.0));
    EXPECT_EQ(edit.SelItalic(), std::optional<bool>(false));
    EXPECT_EQ(edit.SelUnderline(), std::optional<bool>(false));
}

TEST_F(SelFormatTest, SelectionInsideOneFormatIsUniform)
{
    select(4, 4);
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Serif")));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(12.0));
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelItalic(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelUnderline(), std::optional<bool>(true));
    // Ending exactly at the boundary does not pull in the next run.
    select(0, 4);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(false));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(10.0));
}

TEST_F(SelFormatTest, CaretReadsWhatTypingWouldGet)
{
    select(2, 0);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(false));
    select(6, 0);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(12.0));
    // Right after the last "a": the text before the caret decides.
    select(4, 0);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(false));
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Sans")));
    // At the very start: the first character's format.
    edit.setFromDocument(makeDoc({{QStringLiteral("bb"), kB}, {QStringLiteral("aa"), kA}}));
    select(0, 0);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
}

TEST_F(SelFormatTest, AMixedSelectionAcrossParagraphsIgnoresTheBreakFormat)
{
    // The break between the paragraphs is bold, the text is not.
    edit.setFromDocument(makeDoc({{QStringLiteral("ab"), kA}, {QStringLiteral("\n"), kB}, {QStringLiteral("cd"), kA}}));
    select(0, 5);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(false));
    // A selection of nothing but the break reads the break.
    select(2, 1);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
}

TEST_F(SelFormatTest, SettersMakeAMixedSelectionUniformAndLeaveOtherAttributes)
{
    select(2, 4);
    edit.setSelBold(true);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelFontSize(), std::nullopt); // sizes untouched
    EXPECT_EQ(edit.toDocument(), makeDoc({{QStringLiteral("aa"), kA},
                                          {QStringLiteral("aa"), fmt("DejaVu Sans", 20, true)},
                                          {QStringLiteral("bbbb"), kB}}));
    edit.setSelBold(false);
    edit.setSelItalic(false);
    edit.setSelUnderline(true);
    edit.setSelFontName(QStringLiteral("Liberation Mono"));
    edit.setSelFontSize(14);
    EXPECT_EQ(edit.toDocument(), makeDoc({{QStringLiteral("aa"), kA},
                                          {QStringLiteral("aa"), fmt("Liberation Mono", 28, false, false, true)},
                                          {QStringLiteral("bb"), fmt("Liberation Mono", 28, false, false, true)},
                                          {QStringLiteral("bb"), kB}}));
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("Liberation Mono")));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(14.0));
}

TEST_F(SelFormatTest, SettersAtTheCaretApplyToWhatIsTypedNext)
{
    const Document before = edit.toDocument();
    select(2, 0);
    edit.setSelBold(true);
    edit.setSelFontSize(8);
    EXPECT_EQ(edit.toDocument(), before); // nothing visible changes
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(8.0));
    QTest::keyClicks(&edit, QStringLiteral("xy"));
    EXPECT_EQ(edit.toDocument(), makeDoc({{QStringLiteral("aa"), kA},
                                          {QStringLiteral("xy"), fmt("DejaVu Sans", 16, true)},
                                          {QStringLiteral("aa"), kA},
                                          {QStringLiteral("bbbb"), kB}}));
}

TEST_F(SelFormatTest, SizesRoundToHalfPointsAndNonsenseIsIgnored)
{
    select(0, 2);
    edit.setSelFontSize(10.3);
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(10.5));
    edit.setSelFontSize(0);
    edit.setSelFontSize(-4);
    edit.setSelFontSize(std::numeric_limits<double>::quiet_NaN());
    edit.setSelFontSize(std::numeric_limits<double>::infinity());
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(10.5));
    edit.setSelFontName(QString());
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Sans")));
}

TEST_F(SelFormatTest, FontNamesAreKeptExactlyEvenWhenNotInstalled)
{
    select(0, 4);
    edit.setSelFontName(QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("MS Sans Serif")));
    edit.setSelFontName(QStringLiteral("ms sans serif"));
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("ms sans serif")));
}

TEST_F(SelFormatTest, PastedHtmlKeepsOnlyPageAttributes)
{
    select(4, 0);
    auto *mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b>bold</b><span style=\"color:red; font-family:'DejaVu Serif'; font-size:18pt\">red</span>"
                                "<a href=\"http://example.invalid\">link</a><img src=\"nothing.png\">"
                                "<table><tr><td>cell</td></tr></table>"));
    mime->setText(QStringLiteral("ignored plain version"));
    QGuiApplication::clipboard()->setMimeData(mime);
    edit.paste();
    const QString text = edit.Text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("aaaaboldredlink"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("cell")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("bbbb")));
    EXPECT_FALSE(text.contains(QChar::ObjectReplacementCharacter));
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    // "bold" is bold in the caret's font; "red" took font and size.
    edit.setSelStart(4);
    edit.setSelLength(4);
    EXPECT_EQ(edit.SelBold(), std::optional<bool>(true));
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Sans")));
    edit.setSelStart(8);
    edit.setSelLength(3);
    EXPECT_EQ(edit.SelFontName(), std::optional<QString>(QStringLiteral("DejaVu Serif")));
    EXPECT_EQ(edit.SelFontSize(), std::optional<double>(18.0));
    // No colour, link or image format slipped into the document.
    for (const QTextFormat &f : edit.document()->allFormats()) {
        if (f.isCharFormat()) {
            EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
            EXPECT_FALSE(f.toCharFormat().isAnchor());
            EXPECT_FALSE(f.isImageFormat());
        }
    }
    EXPECT_EQ(edit.document()->rootFrame()->childFrames().size(), 0);
}

TEST_F(SelFormatTest, PastedPlainTextTakesTheCaretFormatAndReplacesTheSelection)
{
    select(5, 2); // "bb" inside the bold run
    QGuiApplication::clipboard()->setText(QStringLiteral("X\nY"));
    edit.paste();
    EXPECT_EQ(edit.toDocument(), makeDoc({{QStringLiteral("aaaa"), kA}, {QStringLiteral("bX\nYb"), kB}}));
}
