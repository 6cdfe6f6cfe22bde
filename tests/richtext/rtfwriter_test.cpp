// What the writer puts in the file: other programs read these bytes.

#include "docgen.h"

#include <gtest/gtest.h>

using jw::rtf::CharFormat;
using jw::rtf::Document;
using jw::rtf::writeRtf;

namespace {

Document plainDoc(std::u16string text, CharFormat f = {"Arial", 24, false, false, false})
{
    Document doc{std::move(text), {}};
    if (!doc.text.empty())
        doc.runs.push_back(jw::rtf::Run{0, doc.text.size(), f});
    return doc;
}

std::size_t count(const std::string &hay, std::string_view needle)
{
    std::size_t n = 0;
    for (std::size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(RtfWriter, HeaderAndFontTable)
{
    const std::string rtf = writeRtf(plainDoc(u"x", {"Courier New", 17, false, false, false}));
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}", 0), 0u)
        << rtf;
    EXPECT_NE(rtf.find("\\f0\\fs17 x\\par"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.back(), '\n');
    EXPECT_EQ(rtf[rtf.size() - 2], '}');
}

TEST(RtfWriter, EveryParagraphEndsWithPar)
{
    EXPECT_EQ(count(writeRtf(plainDoc(u"a")), "\\par"), 1u);
    EXPECT_EQ(count(writeRtf(plainDoc(u"a\n")), "\\par"), 2u);
    EXPECT_EQ(count(writeRtf(plainDoc(u"a\nb")), "\\par"), 2u);
    EXPECT_EQ(count(writeRtf(Document{}), "\\par"), 0u);
    const std::string rtf = writeRtf(plainDoc(u"a\u2028b\tc"));
    EXPECT_NE(rtf.find("a\\line b\\tab c\\par"), std::string::npos) << rtf;
}

TEST(RtfWriter, EscapesAndUnicodeKeepTheFilePureAscii)
{
    const std::string rtf = writeRtf(plainDoc(u"\\{}\u00E9\uFFFF\u8000\u7FFF\U0001F600\x01"));
    EXPECT_NE(rtf.find("\\\\\\{\\}\\u233?\\u-1?\\u-32768?\\u32767?\\u-10179?\\u-8704?\\u1?"), std::string::npos)
        << rtf;
    for (unsigned seed = 0; seed < 50; ++seed)
        for (char c : writeRtf(jwtest::randomDocument(seed)))
            ASSERT_LT(static_cast<unsigned char>(c), 0x80u) << "seed " << seed;
}

TEST(RtfWriter, FormatWordsChangeOnlyWhatChanges)
{
    const CharFormat plain{"Arial", 24, false, false, false};
    Document doc{u"abcdef", {}};
    CharFormat f = plain;
    doc.runs.push_back(jw::rtf::Run{0, 1, f});
    f.bold = true;
    doc.runs.push_back(jw::rtf::Run{1, 1, f});
    f.italic = true;
    doc.runs.push_back(jw::rtf::Run{2, 1, f});
    f.underline = true;
    doc.runs.push_back(jw::rtf::Run{3, 1, f});
    f = plain;
    f.halfPoints = 17;
    doc.runs.push_back(jw::rtf::Run{4, 1, f});
    f.font = "Times";
    doc.runs.push_back(jw::rtf::Run{5, 1, f});
    const std::string rtf = writeRtf(doc);
    EXPECT_NE(rtf.find("\\f0\\fs24 a\\b b\\i c\\ul d\\fs17\\b0\\i0\\ulnone e\\f1 f\\par"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times;}"), std::string::npos);
}

TEST(RtfWriter, ControlWordsAreDelimitedBeforeDigitsSpacesAndHyphens)
{
    for (const std::u16string text : {u"1", u" lead", u"-5", u"\t-5", u"\t 7", u"\u2028x"}) {
        const Document doc = plainDoc(text, {"Arial", 30, true, false, false});
        EXPECT_EQ(jw::rtf::readRtf(writeRtf(doc)), doc) << jwtest::utf8(text);
    }
}

TEST(RtfWriter, FontNamesWithSpecialCharacters)
{
    for (const char *name : {"odd;name", "b\\r{a}ce", " spaced ", "Caf\xC3\xA9", ""}) {
        const Document doc = plainDoc(u"x", {name, 24, false, false, false});
        const std::string rtf = writeRtf(doc);
        EXPECT_EQ(jw::rtf::readRtf(rtf), doc) << name << "\n" << rtf;
    }
}

TEST(RtfWriter, Deterministic)
{
    for (unsigned seed = 100; seed < 120; ++seed) {
        const Document doc = jwtest::randomDocument(seed);
        EXPECT_EQ(writeRtf(doc), writeRtf(Document(doc)));
    }
}

TEST(RtfWriter, MalformedRunListsNeverLoseOrRepeatText)
{
    const CharFormat b{"Arial", 24, true, false, false};
    const CharFormat p{"Arial", 24, false, false, false};
    // Overlapping, out of order, past the end, and a gap.
    const Document doc{u"hello world", {{0, 5, b}, {3, 4, p}, {2, 1, b}, {9, 100, b}, {500, 3, p}}};
    const Document back = jw::rtf::readRtf(writeRtf(doc));
    EXPECT_EQ(back.text, u"hello world");
    EXPECT_TRUE(jwtest::wellFormed(back));
    EXPECT_EQ(jw::rtf::readRtf(writeRtf(Document{u"no runs", {}})).text, u"no runs");
}

TEST(RtfWriter, SizesOutsideTheUsableRangeAreNormalized)
{
    EXPECT_EQ(jwtest::formatAt(jw::rtf::readRtf(writeRtf(plainDoc(u"x", {"A", 0, false, false, false}))), 0).halfPoints, 24);
    EXPECT_EQ(jwtest::formatAt(jw::rtf::readRtf(writeRtf(plainDoc(u"x", {"A", 99999, false, false, false}))), 0).halfPoints,
              3276);
}
