// The reader on the constructs other programs write.

#include "docgen.h"

#include <gtest/gtest.h>

using jw::rtf::readRtf;
using jwtest::formatAt;
using jwtest::utf8;

namespace {

std::u16string textOf(std::string_view rtf)
{
    const jw::rtf::Document doc = readRtf(rtf);
    EXPECT_TRUE(jwtest::wellFormed(doc));
    return doc.text;
}

} // namespace

TEST(RtfReaderSyntax, ControlWordsTakeOneDelimiterSpace)
{
    const auto doc = readRtf("{\\rtf1 \\b bold\\b0  plain\\i\nx}");
    EXPECT_EQ(doc.text, u"bold plainx");
    ASSERT_TRUE(jwtest::wellFormed(doc));
    EXPECT_TRUE(formatAt(doc, 0).bold);
    EXPECT_FALSE(formatAt(doc, 4).bold);
    EXPECT_TRUE(formatAt(doc, 10).italic); // a raw line end also ends a word
}

TEST(RtfReaderSyntax, NumbersAreOptionalAndMayBeNegative)
{
    // "-" without a digit is text; with a digit it is part of the number.
    EXPECT_EQ(textOf("{\\rtf1 \\b- x}"), u"- x");
    EXPECT_EQ(textOf("{\\rtf1 \\u-3913?x}"), u"\uF0B7x");
    EXPECT_EQ(textOf("{\\rtf1 \\fs20-5}"), u"-5"); // digits end the number, then text
    EXPECT_EQ(textOf("{\\rtf1 \\fs20 5}"), u"5");
}

TEST(RtfReaderSyntax, RawLineEndsAreNotText)
{
    EXPECT_EQ(textOf("{\\rtf1 a\r\nb\nc\rd}"), u"abcd");
}

TEST(RtfReaderSyntax, ParagraphsLinesAndTabs)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\par b\\sect c\\page d\\line e\\tab f\\par}"), u"a\nb\nc\nd\u2028e\tf");
    // Backslash followed by a line end is a paragraph as well.
    EXPECT_EQ(textOf("{\\rtf1 a\\\nb\\\r\nc}"), u"a\nb\nc");
}

TEST(RtfReaderSyntax, ExactlyOneFinalParagraphMarkIsDropped)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\par }"), u"a");
    EXPECT_EQ(textOf("{\\rtf1 a\\par\\par }"), u"a\n");
    EXPECT_EQ(textOf("{\\rtf1 a}"), u"a");
    EXPECT_EQ(textOf("{\\rtf1 \\par}"), u"");
    const auto doc = readRtf("{\\rtf1 {\\b a}\\par}");
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_EQ(doc.runs[0].length, 1u);
}

TEST(RtfReaderSyntax, SpecialCharacterWordsAndSymbols)
{
    EXPECT_EQ(textOf("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"),
              u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D");
    EXPECT_EQ(textOf("{\\rtf1 a\\~b\\-c\\_d}"), u"a\u00A0b\u00ADc\u2011d");
    EXPECT_EQ(textOf("{\\rtf1 \\\\\\{\\}}"), u"\\{}");
}

TEST(RtfReaderSyntax, TextAfterTheDocumentIsIgnored)
{
    EXPECT_EQ(textOf(std::string_view("{\\rtf1 a}\0", 10)), u"a");
    EXPECT_EQ(textOf("{\\rtf1 a}b{\\rtf1 c}"), u"a");
}

TEST(RtfReaderSyntax, TableCellsBecomeTabsAndRowsLines)
{
    EXPECT_EQ(textOf("{\\rtf1 \\trowd\\cellx1000\\cellx2000 \\pard\\intbl A\\cell B\\cell\\row \\pard x}"),
              u"A\tB\nx");
}

TEST(RtfReaderCodePages, HexEscapesUseTheDocumentCodePage)
{
    EXPECT_EQ(textOf("{\\rtf1\\ansi caf\\'e9 \\'80}"), u"caf\u00E9 \u20AC");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1251 \\'ef\\'f0\\'e8}"), u"\u043F\u0440\u0438");
    EXPECT_EQ(textOf("{\\rtf1\\mac \\'8e}"), u"\u00E9");
    // Unknown code pages fall back to Windows-1252.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), u"\u00E9");
}

TEST(RtfReaderCodePages, FontCpgWinsOverCharsetAndAnsicpg)
{
    const char *rtf = "{\\rtf1\\ansi\\ansicpg1251"
                      "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial Cyr;}"
                      "{\\f2\\cpg1253 Greek;}{\\f3\\fcharset1 Default;}{\\f4\\fcharset161\\cpg1251 Both;}}"
                      "\\f0\\'e0\\f1\\'e0\\f2\\'e1\\f3\\'e0\\f4\\'e1}";
    EXPECT_EQ(textOf(rtf), u"\u00E0\u0430\u03B1\u0430\u0431");
}

TEST(RtfReaderCodePages, DoubleBytePairsAcrossEscapedAndRawBytes)
{
    const std::string head = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 ";
    EXPECT_EQ(textOf(head + "\\'82\\'a0}"), u"\u3042");        // both escaped
    EXPECT_EQ(textOf(head + "\\'83A}"), u"\u30A2");            // escaped lead, raw trail
    EXPECT_EQ(textOf(head + "\x83\\'41}"), u"\u30A2");         // raw lead, escaped trail
    EXPECT_EQ(textOf(head + "\\'95\\\\}"), u"\u8868");         // trail byte is a backslash
    EXPECT_EQ(textOf(head + "\\'82\r\n\\'a0}"), u"\u3042");    // raw line ends are not bytes
    EXPECT_EQ(textOf(head + "a\\'82\\'a0b}"), u"a\u3042b");
    EXPECT_EQ(textOf(head + "{\\'82}x}"), u"\uFFFDx");          // a lead cut off by a brace shows as U+FFFD
}

TEST(RtfReaderCodePages, OtherDoubleByteCodePages)
{
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg936 \\'c4\\'e3\\'ba\\'c3}"), u"\u4F60\u597D");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1\\'b1\\'b9}"), u"\uD55C\uAD6D");
    EXPECT_EQ(textOf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0 \\'a4\\'a4\\'a4\\'e5}"),
              u"\u4E2D\u6587");
}

TEST(RtfReaderUnicode, SignedAndUnsignedValues)
{
    EXPECT_EQ(textOf("{\\rtf1 \\u8364?\\u-4?\\u65532?}"), u"\u20AC\uFFFC\uFFFC");
}

TEST(RtfReaderUnicode, SurrogatePairsJoinAndLoneHalvesAreDropped)
{
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-8704?}"), u"\U0001F600");
    EXPECT_EQ(textOf("{\\rtf1 \\u55357?\\u56832?}"), u"\U0001F600");
    EXPECT_EQ(textOf("{\\rtf1 a\\u-10179?b}"), u"ab");
    EXPECT_EQ(textOf("{\\rtf1 a\\u-8704?b}"), u"ab");
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-10179?\\u-8704?}"), u"\U0001F600");
    EXPECT_EQ(textOf("{\\rtf1 a\\u-10179?}"), u"a");
    // A pair split by a format change lands in the later run, whole.
    const auto doc = readRtf("{\\rtf1 \\u-10179?{\\b\\u-8704?}}");
    EXPECT_EQ(doc.text, u"\U0001F600");
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_EQ(doc.runs[0].length, 2u);
}

TEST(RtfReaderUnicode, FallbackSkipCounting)
{
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364 ab c}"), u"\u20AC c");
    EXPECT_EQ(textOf("{\\rtf1 \\uc0\\u8364 x}"), u"\u20ACx");
    EXPECT_EQ(textOf("{\\rtf1 \\u8364\\'80x}"), u"\u20ACx");        // a hex escape is one
    EXPECT_EQ(textOf("{\\rtf1 \\u8364\\par x}"), u"\u20ACx");       // a control word is one
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364\\bin3 abcde}"), u"\u20ACe"); // a \bin blob is one
    EXPECT_EQ(textOf("{\\rtf1 {\\uc3\\u8364}ab}"), u"\u20ACab");    // a brace ends the skip
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364\r\n\\'80\\'80x}"), u"\u20ACx"); // line ends do not count
    EXPECT_EQ(textOf("{\\rtf1 {\\uc0 a}\\u8364?b}"), u"a\u20ACb"); // \uc is group scoped
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u-10179\\'3f\\'3f\\u-8704\\'3f\\'3f!}"), u"\U0001F600!");
}

TEST(RtfReaderFormat, GroupsScopeEveryAttribute)
{
    const auto doc = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                             "a{\\b b{\\i c{\\ul d{\\f1\\fs40 e}}}}f}");
    EXPECT_EQ(doc.text, u"abcdef");
    ASSERT_TRUE(jwtest::wellFormed(doc));
    const jw::rtf::CharFormat plain{"Arial", 24, false, false, false};
    EXPECT_EQ(formatAt(doc, 0), plain);
    EXPECT_EQ(formatAt(doc, 1), (jw::rtf::CharFormat{"Arial", 24, true, false, false}));
    EXPECT_EQ(formatAt(doc, 2), (jw::rtf::CharFormat{"Arial", 24, true, true, false}));
    EXPECT_EQ(formatAt(doc, 3), (jw::rtf::CharFormat{"Arial", 24, true, true, true}));
    EXPECT_EQ(formatAt(doc, 4), (jw::rtf::CharFormat{"Courier New", 40, true, true, true}));
    EXPECT_EQ(formatAt(doc, 5), plain);
    EXPECT_EQ(doc.runs.size(), 6u);
}

TEST(RtfReaderFormat, PlainPardAndDefaultFont)
{
    const auto doc = readRtf("{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}"
                             "\\fs30\\b x\\f0 y\\pard z\\plain w\\f7 v}");
    EXPECT_EQ(doc.text, u"xyzwv");
    EXPECT_EQ(formatAt(doc, 0), (jw::rtf::CharFormat{"Courier", 30, true, false, false}));
    EXPECT_EQ(formatAt(doc, 1), (jw::rtf::CharFormat{"Arial", 30, true, false, false}));
    EXPECT_EQ(formatAt(doc, 2), formatAt(doc, 1)); // \pard leaves characters alone
    EXPECT_EQ(formatAt(doc, 3), (jw::rtf::CharFormat{"Courier", 24, false, false, false}));
    EXPECT_EQ(formatAt(doc, 4).font, "Courier"); // an unknown font number means the default font
}

TEST(RtfReaderFormat, DefaultsWithoutFontTableOrSize)
{
    const auto doc = readRtf("{\\rtf1 x}");
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_EQ(doc.runs[0].format, (jw::rtf::CharFormat{"", 24, false, false, false}));
    EXPECT_EQ(formatAt(readRtf("{\\rtf1\\fs17 x}"), 0).halfPoints, 17);
}

TEST(RtfReaderFormat, OnOffWords)
{
    const auto doc = readRtf("{\\rtf1 \\b\\i\\ul a\\b0\\i0\\ul0 b\\b1\\i1\\ul c\\ulnone d}");
    EXPECT_EQ(formatAt(doc, 0), (jw::rtf::CharFormat{"", 24, true, true, true}));
    EXPECT_EQ(formatAt(doc, 1), (jw::rtf::CharFormat{"", 24, false, false, false}));
    EXPECT_EQ(formatAt(doc, 2), (jw::rtf::CharFormat{"", 24, true, true, true}));
    EXPECT_EQ(formatAt(doc, 3), (jw::rtf::CharFormat{"", 24, true, true, false}));
}

TEST(RtfReaderFormat, EveryUnderlineKindUnderlinesButColourDoesNot)
{
    for (const char *kind : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                             "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                             "ululdbwave", "ulw", "ulwave"}) {
        SCOPED_TRACE(kind);
        const auto doc = readRtf(std::string("{\\rtf1 \\") + kind + " a\\" + kind + "0 b}");
        EXPECT_TRUE(formatAt(doc, 0).underline);
        EXPECT_FALSE(formatAt(doc, 1).underline);
    }
    EXPECT_FALSE(formatAt(readRtf("{\\rtf1 \\ulc2 a}"), 0).underline);
    EXPECT_FALSE(formatAt(readRtf("{\\rtf1 \\uldb\\ulnone a}"), 0).underline);
}

TEST(RtfReaderFontTable, EntriesWithAndWithoutBraces)
{
    const auto braced = readRtf("{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}{\\f1\\fnil Menlo;}}\\f1 x}");
    EXPECT_EQ(formatAt(braced, 0).font, "Menlo");
    const auto bare = readRtf("{\\rtf1{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil Menlo-Regular;}"
                              "\\f0 x\\f1 y}");
    EXPECT_EQ(formatAt(bare, 0).font, "Helvetica");
    EXPECT_EQ(formatAt(bare, 1).font, "Menlo-Regular");
    // A missing ';' still ends the entry at its brace.
    EXPECT_EQ(formatAt(readRtf("{\\rtf1{\\fonttbl{\\f3 Arial}}\\f3 x}"), 0).font, "Arial");
}

TEST(RtfReaderFontTable, AlternativeNamesAndPanoseAreNotPartOfTheName)
{
    const auto doc = readRtf("{\\rtf1{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2"
                             "{\\*\\panose 02020603050405020304}Times New Roman{\\*\\falt Times};}}\\f0 x}");
    EXPECT_EQ(formatAt(doc, 0).font, "Times New Roman");
}

TEST(RtfReaderFontTable, NamesDecodeInTheFontsCharset)
{
    const auto doc = readRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
                             "{\\f1 Caf\\'e9;}{\\f2 \\u-10179?\\u-8704?;}}\\f0 a\\f1 b\\f2 c}");
    EXPECT_EQ(formatAt(doc, 0).font, "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D"); // ＭＳ 明朝
    EXPECT_EQ(formatAt(doc, 1).font, "Caf\xC3\xA9");
    EXPECT_EQ(formatAt(doc, 2).font, "\xF0\x9F\x98\x80");
    EXPECT_EQ(doc.text, u"abc"); // nothing of the table leaks into the text
}

TEST(RtfReaderDestinations, NonTextDestinationsAreSkipped)
{
    const char *rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
                      "{\\*\\generator Gen 1.0;}{\\*\\unknowndest secret}{\\header H}{\\footer F}"
                      "{\\*\\listtable{\\list x}}{\\*\\themedata 0102}{\\*\\datastore 0105}"
                      "a{\\footnote note}b{\\pict\\pngblip 89504e47}c{\\object{\\*\\objdata 01}}d}";
    EXPECT_EQ(textOf(rtf), u"abcd");
}

TEST(RtfReaderDestinations, FieldResultIsKeptAndInstructionSkipped)
{
    const auto doc = readRtf("{\\rtf1 see {\\field{\\*\\fldinst {HYPERLINK \"https://x.example\"}}"
                             "{\\fldrslt {\\ul link}}} here}");
    EXPECT_EQ(doc.text, u"see link here");
    EXPECT_TRUE(formatAt(doc, 4).underline);
    EXPECT_EQ(textOf("{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 3}}}"), u"3");
}

TEST(RtfReaderDestinations, BinaryDataIsSkippedByteExact)
{
    // The blob holds braces and backslashes that must not be parsed.
    EXPECT_EQ(textOf("{\\rtf1 a\\bin5 {\\}}xb}"), u"ab");
    EXPECT_EQ(textOf("{\\rtf1 a{\\pict\\bin6 {{}}\\}b}c}"), u"ac");
    EXPECT_EQ(textOf("{\\rtf1 a{\\*\\blob{\\bin3 }}}}b}c}"), u"ac");
    using namespace std::string_literals;
    EXPECT_EQ(textOf("{\\rtf1 a\\bin2 \0}b}"s), u"ab");
}
