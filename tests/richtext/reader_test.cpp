// The reader on the constructs other programs write, and on damaged input.

#include "pages.h"

#include <gtest/gtest.h>

#include <random>

using namespace std::literals;
using jw::rtf::readRtf;
using jwtest::runsOf;
using jwtest::utf8;

namespace {

struct ReadCase {
    std::string rtf;
    std::u16string_view text;
    const char *runs = nullptr; // in the form of runsOf(); nullptr: not checked
};

const std::string kJapanese = R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 A;}{\f1\fcharset128 J;}}\f1 )";

const ReadCase kReadCases[] = {
    // Syntax: delimiters, numbers, line ends, paragraphs, symbols.
    {"{\\rtf1 \\b bold\\b0  plain\\i\nx}", u"bold plainx", "4::24:b; 6::24:; 1::24:i"},
    {R"({\rtf1 \b- x})", u"- x", "3::24:b"},
    {R"({\rtf1 \u-3913?x\fs20-5\fs20 5})", u"\uF0B7x-55"},
    {"{\\rtf1 a\r\nb\nc\rd}", u"abcd"},
    {R"({\rtf1 a\par b\sect c\page d\line e\tab f\par})", u"a\nb\nc\nd\u2028e\tf"},
    {"{\\rtf1 a\\\nb\\\r\nc}", u"a\nb\nc"},
    {R"({\rtf1 a\par\par })", u"a\n"},
    {R"({\rtf1 \par})", u""},
    {R"({\rtf1 {\b a}\par})", u"a", "1::24:b"},
    {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\-\_\\\{\}})",
     u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0\u00AD\u2011\\{}"},
    {"{\\rtf1 a}\0"s, u"a"},
    {R"({\rtf1 a}b{\rtf1 c})", u"a"},
    {R"({\rtf1 \trowd\cellx1000\cellx2000 \pard\intbl A\cell B\cell\row \pard x\cell y})", u"A\tB\nx\ty"},
    // Code pages: the document's, then a font's character set or \cpg.
    {R"({\rtf1\ansi caf\'e9 \'80})", u"caf\u00E9 \u20AC"},
    {R"({\rtf1\ansi\ansicpg1251 \'ef\'f0\'e8})", u"\u043F\u0440\u0438"},
    {R"({\rtf1\mac \'8e\pc \'82\pca \'d5\ansicpg99999 \'e9})", u"\u00E9\u00E9\u0131\u00E9"},
    {R"({\rtf1\ansi\ansicpg0 \'e9})", u"\u00E9"}, // a page number of 0 reads as the default
    {R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 A;}{\f1\fcharset204 B;}}\f0\'cf{\f1\'cf\'f0\'e8}\'cf})",
     u"\u00CF\u041F\u0440\u0438\u00CF", "1:A:24:; 3:B:24:; 1:A:24:"},
    {R"({\rtf1\ansicpg1251{\fonttbl{\f0\fcharset0 A;}{\f1\fcharset1 B;}{\f2\fcharset78 C;}{\f3\fcharset2 D;})"
     R"({\f4\fcharset77 E;}{\f5\fcharset0\cpg1253 F;}{\f6\cpg99999 G;}{\f7\fcharset89\cpg0 H;}})"
     R"(\f0\'cf\f1\'cf\f2\'cf\f3\'b7\f4\'8e\f5\'e1\f6\'cf\f7\'8f})",
     u"\u00CF\u041F\u041F\u00B7\u00E9\u03B1\u041F\u041F"},
    {R"({\rtf1{\fonttbl{\f0\fcharset238 A;}}{\*\comment \f0}\deff0 \'b3})", u"\u0142"},
    // Double-byte code pages: pairs in escaped and raw bytes; broken pairs.
    {kJapanese + R"(\'82\'a0\'83A)" "\x83\\'41" R"(\'95\\)" "\\'82\r\n\\'a0}", u"\u3042\u30A2\u30A2\u8868\u3042"},
    {kJapanese + R"(a\'82\'a0b{\'82}x\'82{A}\'82\f0\'41\f1\'82\:\'82A\'82\emdash\'82)",
     u"a\u3042b\uFFFDx\uFFFDA\uFFFDA\uFFFD\uFFFDA\uFFFD\u2014\uFFFD"},
    {kJapanese + R"(\uc2\u12354\'82\'a0x\uc1\u12354\'82\'a0y})", u"\u3042x\u3042\uFFFDy"},
    {R"({\rtf1\ansi\ansicpg936 \'c4\'e3\ansicpg949 \'c7\'d1{\fonttbl{\f0\fcharset136 A;}}\f0\'a4\'a4})", u"\u4F60\uD55C\u4E2D"},
    // \u: signed values, surrogate pairs, fallback skipping.
    {R"({\rtf1 \u8364?\u-4?\u65532?\u-10179?\u-8704?\u55357?\u56832?\u128512?})", u"\u20AC\uFFFC\uFFFC\U0001F600\U0001F600\U0001F600"},
    {R"({\rtf1 a\u-10179?b\u-8704?c\u-10179?\u-10179?\u-8704?d\u-10179?})", u"abc\U0001F600d"},
    {R"({\rtf1 \u-10179?{\b\u-8704?}})", u"\U0001F600", "2::24:b"},
    {R"({\rtf1 \uc2\u8364 ab c\uc0\u8364 x\uc1\u8364\'80x\u8364\par x})", u"\u20AC c\u20ACx\u20ACx\u20ACx"},
    {R"({\rtf1 \uc2\u8364\bin3 abcde{\uc3\u8364}ab{\uc0 a}\u8364?b})", u"\u20ACe\u20ACaba\u20AC"},
    {"{\\rtf1 \\uc2\\u8364\r\n\\'80\\'80x\\uc2\\u-10179\\'3f\\'3f\\u-8704\\'3f\\'3f!}", u"\u20ACx\U0001F600!"},
    // Formatting and its scope.
    {R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}a{\b b{\i c{\ul d{\f1\fs40 e}}}}f})", u"abcdef",
     "1:Arial:24:; 1:Arial:24:b; 1:Arial:24:bi; 1:Arial:24:biu; 1:Courier New:40:biu; 1:Arial:24:"},
    {R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Courier;}}\fs30\b x\f0 y\pard z\plain w\f7 v})", u"xyzwv",
     "1:Courier:30:b; 2:Arial:30:b; 2:Courier:24:"},
    {R"({\rtf1{\fonttbl{\f0 Same;}{\f1 Same;}}\f0 x\f1 y\fs17 z\fs0 w\fs w})", u"xyzww", "2:Same:24:; 1:Same:17:; 2:Same:24:"},
    {R"({\rtf1 \b\i\ul a\b0\i0\ul0 b\b1\i1\ul c\ulnone d\uldb e\ulc2\ulnone f})", u"abcdef",
     "1::24:biu; 1::24:; 1::24:biu; 1::24:bi; 1::24:biu; 1::24:bi"},
    {R"({\rtf1 \ulnone\ul a\ulnone\uld b\ulnone\uldash c\ulnone\uldashd d\ulnone\uldashdd e\ulnone\uldb f)"
     R"(\ulnone\ulhwave g\ulnone\ulldash h\ulnone\ulth i\ulnone\ulthd j\ulnone\ulthdash k\ulnone\ulthdashd l)"
     R"(\ulnone\ulthdashdd m\ulnone\ulthldash n\ulnone\ululdbwave o\ulnone\ulw p\ulnone\ulwave q})",
     u"abcdefghijklmnopq", "17::24:u"},
    {R"({\rtf1 \ul\ul0 a\ul\uld0 b\ul\uldash0 c\ul\uldashd0 d\ul\uldashdd0 e\ul\uldb0 f\ul\ulhwave0 g\ul\ulldash0 h)"
     R"(\ul\ulth0 i\ul\ulthd0 j\ul\ulthdash0 k\ul\ulthdashd0 l\ul\ulthdashdd0 m\ul\ulthldash0 n\ul\ululdbwave0 o)"
     R"(\ul\ulw0 p\ul\ulwave0 q})",
     u"abcdefghijklmnopq", "17::24:"},
    // Font tables: bare and braced entries, names in the font's code page.
    {R"({\rtf1{\fonttbl\f0\fswiss Helvetica; \f1\fnil Menlo-Regular;}\f0 x\f1 y{\fonttbl{\f3 Arial}}\f3 z})", u"xyz",
     "1:Helvetica:24:; 1:Menlo-Regular:24:; 1:Arial:24:"},
    {R"({\rtf1{\fonttbl{\f0\fbidi \froman\fcharset0\fprq2{\*\panose 0202}Times New Roman{\*\falt Times};}}\f0 x})",
     u"x", "1:Times New Roman:24:"},
    {R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be;}{\f1 Caf\'e9\par;}{\f2 \u-10179?\u-8704?\u2047?\u2048?;}})"
     R"(\f0 a\f1 b\f2 c})", u"abc",
     "1:\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E:24:; 1:Caf\xC3\xA9:24:; 1:\xF0\x9F\x98\x80\xDF\xBF\xE0\xA0\x80:24:"},
    // Destinations: skipped, field results kept, binary data skipped exactly.
    {R"({\rtf1{\colortbl;\red255;}{\stylesheet{\s0 N;}}{\info{\title T}}{\*\unknown x}{\header H}a{\footnote n}b)"
     R"({\pict\pngblip 89}c{\object{\*\objdata 01}}d{\*\fldinst X}{\fldrslt {\ul e}}{\fonttbl{\fldrslt f}}})",
     u"abcde", "4::24:; 1::24:u"},
    {"{\\rtf1 a\\bin5 {\\}}xb{\\pict\\bin6 {{}}\\}c}{\\*\\blob{\\bin3 }}}}d}\\bin2 \0}e\\bin-5 f}"s, u"abef"},
    // Damage: unclosed or extra braces, long words, huge numbers, cut escapes.
    {R"({\rtf1 abc{\b def)", u"abcdef", "3::24:; 3::24:b"},
    {R"({\rtf1 a{\b\'00}b})", u"ab", "2::24:"},
    {R"({\rtf1 abc{\pict 0102)", u"abc"},
    {R"({\rtf)", u""},
    {R"({\rtf1 a{\b b}}}c})", u"ab"},
    {R"({\rtf1 \bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb t\bxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx1 t})", u"tt", "2::24:"},
    {R"({\rtf1 \fs99999999999999999999 a\fs-99999999999 b\f99999999999999 c})", u"abc", "1::3276:; 2::24:"},
    {R"({\rtf1 \u99999999999999999999 x\u-99999999999999 yz\uc99999999999\u8364 abc{}d})", u"z\u20ACd"},
    {R"({\rtf1 a\bin999999 xyz)", u"a"},
    {R"({\rtf1 a{\pict\bin99999 xyz}b})", u"a"},
    {R"({\rtf1 a\)", u"a"},
    {R"({\rtf1 a\'4)", u"a\x04"},
    {R"({\rtf1 a\'zzb\u-)", u"azzb-"},
    {R"({\rtf1\ansicpg932 a\'82)", u"a\uFFFD"},
    // Not RTF: plain text in UTF-8, or else Windows-1252.
    {"h\xC3\xA9llo\r\nw\xC3\xB6rld\rthree\nfour \xF0\x9F\x98\x80", u"h\u00E9llo\nw\u00F6rld\nthree\nfour \U0001F600",
     "25::24:"},
    {"caf\xE9 \x80 \x93q\x94\0x"s, u"caf\u00E9 \u20AC \u201Cq\u201Dx"},
    {"\xC0\xAF", u"\u00C0\u00AF"},
    {"x\x80y", u"x\u20ACy"},
    {"\xEF\xBB\xBFhello", u"hello"},
    {"", u"", ""},
    {R"({\rt)", u"{\\rt"},
    {R"( {\rtf1 x})", u" {\\rtf1 x}"},
    {R"({\RTF1 x})", u"{\\RTF1 x}"},
};

} // namespace

TEST(RtfReader, Table)
{
    for (const ReadCase &c : kReadCases) {
        SCOPED_TRACE(c.rtf);
        const jw::rtf::Document doc = readRtf(c.rtf);
        EXPECT_TRUE(jwtest::wellFormed(doc));
        EXPECT_EQ(utf8(doc.text), utf8(c.text));
        if (c.runs) {
            EXPECT_EQ(runsOf(doc), c.runs);
        }
    }
}

TEST(RtfReader, GroupsPastTheDepthCapKeepTheirScope)
{
    const auto nest = [](std::size_t depth, const std::string &in) { return std::string(depth, '{') + in + std::string(depth, '}'); };
    const std::size_t deep = 200000; // far past the cap, and past any sane stack
    const auto doc = readRtf("{\\rtf1 a" + nest(deep, "{\\b x}y") + "z}");
    EXPECT_EQ(utf8(doc.text), "axyz");
    EXPECT_EQ(runsOf(doc), "1::24:; 1::24:b; 2::24:");
    // A font table that deep still works, and what follows it is text.
    const auto table = readRtf("{\\rtf1\\ansicpg1252 " + nest(3000, "{\\fonttbl{\\f1\\fcharset204 C;}}\\f1\\'cf") + "\\'cf}");
    EXPECT_EQ(runsOf(table), "1:C:24:; 1::24:");
    EXPECT_EQ(utf8(table.text), "\u041F\u00CF");
    // Past the cap of nested changes a change is ignored rather than leaked.
    std::string changes;
    for (int i = 0; i < 1100; ++i)
        changes += i % 2 ? "{\\b0 " : "{\\b ";
    const auto many = readRtf("{\\rtf1 " + changes + "x{\\i y}" + std::string(1100, '}') + "z}");
    EXPECT_EQ(runsOf(many), "2::24:b; 1::24:");
    EXPECT_EQ(utf8(readRtf("{\\rtf1 " + std::string(deep, '{') + "deep").text), "deep");
    EXPECT_EQ(utf8(readRtf("{\\rtf1 \\" + std::string(100000, 'q') + "12345 z}").text), "z");
}

TEST(RtfReader, RandomDamageToRealFilesIsSurvived)
{
    const std::string original = jwtest::readFile(JW_RTF_DATA_DIR "/word.rtf");
    std::mt19937 rng(20240601);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = original;
        for (int e = std::uniform_int_distribution<int>(1, 20)(rng); e > 0; --e) {
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
        ASSERT_EQ(readRtf(jw::rtf::writeRtf(doc)), doc) << "round " << round;
    }
}
