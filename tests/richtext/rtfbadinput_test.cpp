// Damaged and hostile input: never a crash or hang, and what was readable stays.

#include "docgen.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

using jw::rtf::readRtf;
using jwtest::formatAt;

TEST(RtfBadInput, UnclosedGroupsKeepWhatWasRead)
{
    const auto doc = readRtf("{\\rtf1 abc{\\b def");
    EXPECT_EQ(doc.text, u"abcdef");
    ASSERT_TRUE(jwtest::wellFormed(doc));
    EXPECT_FALSE(formatAt(doc, 2).bold);
    EXPECT_TRUE(formatAt(doc, 3).bold);
    EXPECT_EQ(readRtf("{\\rtf1 abc{\\pict 0102").text, u"abc");
    EXPECT_EQ(readRtf("{\\rtf").text, u"");
}

TEST(RtfBadInput, ExtraClosingBracesEndTheDocument)
{
    EXPECT_EQ(readRtf("{\\rtf1 a}}}b").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a{\\b b}}}c}").text, u"ab");
}

TEST(RtfBadInput, DeepNestingIsBoundedAndStillScoped)
{
    const std::size_t depth = 200000; // far past the cap, and past any sane stack
    std::string rtf = "{\\rtf1 a";
    rtf += std::string(depth, '{') + "\\b x" + std::string(depth, '}') + " y}";
    const auto doc = readRtf(rtf);
    EXPECT_EQ(doc.text, u"ax y");
    ASSERT_TRUE(jwtest::wellFormed(doc));
    EXPECT_TRUE(formatAt(doc, 1).bold);
    EXPECT_FALSE(formatAt(doc, 3).bold);

    // Never closed at all.
    EXPECT_EQ(readRtf("{\\rtf1 " + std::string(depth, '{') + "deep").text, u"deep");
}

TEST(RtfBadInput, LongControlWordsAreIgnored)
{
    const std::string longWord(40, 'b');
    EXPECT_EQ(readRtf("{\\rtf1 \\" + longWord + " text}").text, u"text");
    // A long word that merely starts like a known one does nothing.
    const auto doc = readRtf("{\\rtf1 \\b" + std::string(39, 'x') + "1 t}");
    EXPECT_FALSE(formatAt(doc, 0).bold);
    EXPECT_EQ(readRtf("{\\rtf1 \\" + std::string(100000, 'q') + "12345 z}").text, u"z");
}

TEST(RtfBadInput, HugeNumbersSaturate)
{
    const auto doc = readRtf("{\\rtf1 \\fs99999999999999999999999 a\\fs-99999999999999999 b}");
    EXPECT_EQ(formatAt(doc, 0).halfPoints, 3276);
    EXPECT_EQ(formatAt(doc, 1).halfPoints, 24);
    EXPECT_EQ(readRtf("{\\rtf1 \\u99999999999999999999 x\\u-99999999999999 yz}").text, u"z");
    // A skip count that never runs out still ends at the next brace.
    EXPECT_EQ(readRtf("{\\rtf1 \\uc99999999999\\u8364 abc{}d}").text, u"\u20ACd");
    EXPECT_EQ(readRtf("{\\rtf1 \\f99999999999999 a}").text, u"a");
}

TEST(RtfBadInput, BinaryBlobsPastTheEndOrNegative)
{
    EXPECT_EQ(readRtf("{\\rtf1 a\\bin999999 xyz").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\bin99999999999999999999 xyz}").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\bin-5 xyz}").text, u"axyz");
    EXPECT_EQ(readRtf("{\\rtf1 a{\\pict\\bin-5 xyz}b}").text, u"ab");
    EXPECT_EQ(readRtf("{\\rtf1 a{\\pict\\bin99999 xyz}b}").text, u"a");
}

TEST(RtfBadInput, TruncatedEscapes)
{
    EXPECT_EQ(readRtf("{\\rtf1 a\\").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\'").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\'4").text, u"a\x04");
    EXPECT_EQ(readRtf("{\\rtf1 a\\'zzb}").text, u"azzb");
    EXPECT_EQ(readRtf("{\\rtf1\\ansicpg932 a\\'82").text, u"a\uFFFD"); // lead byte with no trail
    EXPECT_EQ(readRtf("{\\rtf1 a\\u").text, u"a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\u-").text, u"a-");
}

TEST(RtfBadInput, RandomDamageToRealFilesIsSurvived)
{
    std::ifstream in(JW_RTF_DATA_DIR "/word.rtf", std::ios::binary);
    ASSERT_TRUE(in) << "missing sample file";
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::mt19937 rng(20240601);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = original;
        const int edits = std::uniform_int_distribution<int>(1, 20)(rng);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(5, damaged.size() - 1)(rng);
            switch (rng() % 3) {
            case 0: damaged[at] = "{}\\'0u-;\x82\xff"[rng() % 10]; break;
            case 1: damaged.erase(at, rng() % 50); break;
            default: damaged.insert(at, std::string(rng() % 8, "{}\\"[rng() % 3])); break;
            }
            if (damaged.size() < 6)
                damaged = original;
        }
        damaged.resize(std::uniform_int_distribution<std::size_t>(5, damaged.size())(rng));
        const auto doc = readRtf(damaged);
        ASSERT_TRUE(jwtest::wellFormed(doc)) << "round " << round;
        // Whatever was read survives a write and a read back.
        ASSERT_EQ(readRtf(jw::rtf::writeRtf(doc)), doc) << "round " << round;
    }
}

TEST(RtfPlainTextFallback, Utf8WithAnyLineEnds)
{
    const auto doc = readRtf("h\xC3\xA9llo\r\nw\xC3\xB6rld\rthree\nfour \xF0\x9F\x98\x80");
    EXPECT_EQ(doc.text, u"h\u00E9llo\nw\u00F6rld\nthree\nfour \U0001F600");
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_EQ(doc.runs[0], (jw::rtf::Run{0, doc.text.size(), jw::rtf::CharFormat{}}));
}

TEST(RtfPlainTextFallback, InvalidUtf8IsWindows1252)
{
    EXPECT_EQ(readRtf("caf\xE9 \x80 \x93q\x94").text, u"caf\u00E9 \u20AC \u201Cq\u201D");
    // An overlong encoding is not UTF-8.
    EXPECT_EQ(readRtf("\xC0\xAF").text, u"\u00C0\u00AF");
}

TEST(RtfPlainTextFallback, EmptyAndNearlyRtfFiles)
{
    const auto empty = readRtf("");
    EXPECT_TRUE(empty.text.empty());
    EXPECT_TRUE(empty.runs.empty());
    EXPECT_EQ(readRtf("{\\rt").text, u"{\\rt");
    EXPECT_EQ(readRtf(" {\\rtf1 x}").text, u" {\\rtf1 x}");
    EXPECT_EQ(readRtf("{\\RTF1 x}").text, u"{\\RTF1 x}");
    EXPECT_EQ(readRtf("\xEF\xBB\xBFhello").text, u"hello"); // byte order mark
}
