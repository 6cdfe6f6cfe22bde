// What the writer puts in the file, and that the reader reads it back.

#include "pages.h"

#include <gtest/gtest.h>

using jw::rtf::Document;
using jw::rtf::readRtf;
using jw::rtf::writeRtf;
using jwtest::page;

namespace {

struct WriteCase {
    Document doc;
    std::string written; // expected in the output
};

const WriteCase kWriteCases[] = {
    {page(u"x", "1:Courier New:17:"),
     "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\n\\f0\\fs17 x\\par\n}\n"},
    {page(u"abcdef", "1:Arial:24:; 1:Arial:24:b; 1:Arial:24:bi; 1:Arial:24:biu; 1:Arial:17:; 1:Times:17:"),
     "{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times;}}\n"
     "\\f0\\fs24 a\\b b\\i c\\ul d\\fs17\\b0\\i0\\ulnone e\\f1 f\\par\n}"},
    {page(u"a\u2028b\tc\n\n", "7:A:24:"), "a\\line b\\tab c\\par\n\\par\n\\par\n}"},
    {page(u"\\{}\u00E9\uFFFF\u8000\u7FFF\U0001F600\x01", "10:A:24:"),
     "\\\\\\{\\}\\u233?\\u-1?\\u-32768?\\u32767?\\u-10179?\\u-8704?\\u1?\\par"},
    {Document{u"x", {{0, 1, {"odd;n\xC3\xA9{\\}\n", 24}}}}, "{\\f0\\fnil\\fcharset0 odd\\u59?n\\u233?\\{\\\\\\}\\u10?;}"},
    {Document{}, "{\\fonttbl}\n}\n"},
    // Control words are delimited before whatever text follows.
    {page(u"1", "1:A:30:b"), "\\b 1\\par"},
    {page(u" lead", "5:A:30:b"), "\\b  lead\\par"},
    {page(u"\t-5\t 7", "6:A:30:b"), "\\b \\tab -5\\tab  7\\par"},
    {page(u"\n", "1:A:24:"), "\\par\n\\par\n}"},
    {page(u"\na\u2028", "3:A:24:"), "\\par\na\\line \\par\n}"},
};

} // namespace

TEST(RtfWriter, Table)
{
    for (const WriteCase &c : kWriteCases) {
        const std::string rtf = writeRtf(c.doc);
        SCOPED_TRACE(rtf);
        EXPECT_NE(rtf.find(c.written), std::string::npos) << c.written;
        EXPECT_EQ(readRtf(rtf), c.doc);
    }
}

TEST(RtfWriter, RandomPagesReadBackTheSameAndStayAscii)
{
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const Document doc = jwtest::randomPage(seed, seed % 500 == 0 ? 100000 : 400);
        ASSERT_TRUE(jwtest::wellFormed(doc));
        const std::string rtf = writeRtf(doc);
        ASSERT_EQ(rtf, writeRtf(Document(doc))) << "seed " << seed;
        for (char c : rtf)
            ASSERT_LT(static_cast<unsigned char>(c), 0x80u) << "seed " << seed;
        ASSERT_EQ(readRtf(rtf), doc) << "seed " << seed << "\n" << rtf;
    }
}

TEST(RtfWriter, OddRunListsAndSizesAreMadeSound)
{
    // Overlapping, out of order, past the end, a gap: no text lost or repeated.
    const jw::rtf::CharFormat b{"A", 24, true}, p{"A", 24};
    const Document back = readRtf(writeRtf(Document{u"hello world", {{0, 5, b}, {3, 4, p}, {2, 1, b}, {9, 100, b}, {500, 3, p}}}));
    EXPECT_EQ(jwtest::utf8(back.text), "hello world");
    EXPECT_TRUE(jwtest::wellFormed(back));
    EXPECT_EQ(readRtf(writeRtf(Document{u"no runs", {}})).text, u"no runs");
    EXPECT_EQ(jwtest::runsOf(readRtf(writeRtf(page(u"ab", "1:A:0:; 1:A:99999:")))), "1:A:24:; 1:A:3276:");
}

TEST(NormalizeRuns, MergesOnlyEqualNeighboursAndDropsEmptyRuns)
{
    Document doc = page(u"abcdefghijkl", "2:A:24:b; 0:A:24:; 1:A:24:b; 2:A:24:; 2:A:24:; 1:B:24:; 1:A:25:; 1:A:24:i; 1:A:24:u; 1:A:24:");
    jw::rtf::normalizeRuns(doc);
    EXPECT_EQ(jwtest::runsOf(doc), "3:A:24:b; 4:A:24:; 1:B:24:; 1:A:25:; 1:A:24:i; 1:A:24:u; 1:A:24:");
    EXPECT_TRUE(jwtest::wellFormed(doc));
}
