// The RTF codec: what the reader makes of what other programs write and of
// damaged input, what the writer puts in the file, and that both agree.

#include "pages.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <random>

using namespace std::literals;
using jw::rtf::Document;
using jw::rtf::readRtf;
using jw::rtf::writeRtf;
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
    {kJapanese
         + R"(\'82\'a0\'83A)"
           "\x83\\'41"
           R"(\'95\\)"
           "\\'82\r\n\\'a0}",
     u"\u3042\u30A2\u30A2\u8868\u3042"},
    {kJapanese + R"(a\'82\'a0b{\'82}x\'82{A}\'82{`}\'82\f0\'41\f1\'82\:\'82A\'82\emdash\'82)",
     u"a\u3042b\uFFFDx\uFFFDA\uFFFD`\uFFFDA\uFFFD\uFFFDA\uFFFD\u2014\uFFFD"},
    {kJapanese + R"(\uc2\u12354\'82\'a0x\uc1\u12354\'82\'a0y})", u"\u3042x\u3042\uFFFDy"},
    {kJapanese + R"(\'82\'80x})", u"\uFFFDx"},
    {R"({\rtf1\ansi\ansicpg936 \'c4\'e3\ansicpg949 \'c7\'d1{\fonttbl{\f0\fcharset136 A;}}\f0\'a4\'a4})",
     u"\u4F60\uD55C\u4E2D"},
    // \u: signed values, surrogate pairs, fallback skipping.
    {R"({\rtf1 \u8364?\u-4?\u65532?\u-10179?\u-8704?\u55357?\u56832?\u128512?})",
     u"\u20AC\uFFFC\uFFFC\U0001F600\U0001F600\U0001F600"},
    {R"({\rtf1 a\u-10179?b\u-8704?c\u-10179?\u-10179?\u-8704?d\u-10179?})", u"abc\U0001F600d"},
    {R"({\rtf1 \u-10179?{\b\u-8704?}})", u"\U0001F600", "2::24:b"},
    {R"({\rtf1{\fonttbl{\f0 A\u-10240?\u-9216?;}}\f0 x})", u"x", "1:A\U00010000:24:"}, // a pair in a font name
    {R"({\rtf1 \uc2\u8364 ab c\uc0\u8364 x\uc1\u8364\'80x\u8364\par x})", u"\u20AC c\u20ACx\u20ACx\u20ACx"},
    {R"({\rtf1 \uc2\u8364\bin3 abcde{\uc3\u8364}ab{\uc0 a}\u8364?b})", u"\u20ACe\u20ACaba\u20AC"},
    {"{\\rtf1 \\uc2\\u8364\r\n\\'80\\'80x\\uc2\\u-10179\\'3f\\'3f\\u-8704\\'3f\\'3f!}", u"\u20ACx\U0001F600!"},
    // Formatting and its scope.
    {R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}a{\b b{\i c{\ul d{\f1\fs40 e}}}}f})", u"abcdef",
     "1:Arial:24:; 1:Arial:24:b; 1:Arial:24:bi; 1:Arial:24:biu; 1:Courier New:40:biu; 1:Arial:24:"},
    {R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Courier;}}\fs30\b x\f0 y\pard z\plain w\f7 v})", u"xyzwv",
     "1:Courier:30:b; 2:Arial:30:b; 2:Courier:24:"},
    {R"({\rtf1{\fonttbl{\f0 Same;}{\f1 Same;}}\f0 x\f1 y\fs17 z\fs0 w\fs w})", u"xyzww",
     "2:Same:24:; 1:Same:17:; 2:Same:24:"},
    {R"({\rtf1 \b\i\ul a\b0\i0\ul0 b\b1\i1\ul c\ulnone d\uldb e\ulc2\ulnone f})", u"abcdef",
     "1::24:biu; 1::24:; 1::24:biu; 1::24:bi; 1::24:biu; 1::24:bi"},
    {R"({\rtf1 \uldb a\ulnone b\ulwave c\ulthdash0 d\ululdbwave e\ul0 f})", u"abcdef",
     "1::24:u; 1::24:; 1::24:u; 1::24:; 1::24:u; 1::24:"},
    // Font tables: bare and braced entries, names in the font's code page.
    {R"({\rtf1{\fonttbl\f0\fswiss Helvetica; \f1\fnil Menlo-Regular;}\f0 x\f1 y{\fonttbl{\f3 Arial}x}\f3 z})", u"xyz",
     "1:Helvetica:24:; 1:Menlo-Regular:24:; 1:Arial:24:"},
    {R"({\rtf1{\fonttbl{\f0\fbidi \froman\fcharset0\fprq2{\*\panose 0202}Times New Roman{\*\falt Times};}}\f0 x})",
     u"x", "1:Times New Roman:24:"},
    {R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be;}{\f1 Caf\'e9\par;}{\f2 \u-10179?\u-8704?\u2047?\u2048?\u128?;}})"
     R"(\f0 a\f1 b\f2 c})",
     u"abc",
     "1:\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E:24:; 1:Caf\xC3\xA9:24:; "
     "1:\xF0\x9F\x98\x80\xDF\xBF\xE0\xA0\x80\xC2\x80:24:"},
    // Destinations: skipped, field results kept, binary data skipped exactly.
    {R"({\rtf1{\colortbl;\red255;}{\stylesheet{\s0 N;}}{\info{\title T}}{\*\unknown x}{\header H}a{\footnote n}b)"
     R"({\pict\pngblip 89}c{\object{\*\objdata 01}}d{\*\fldinst X}{\fldrslt {\ul e}}{\fonttbl{\fldrslt f}}})",
     u"abcde", "4::24:; 1::24:u"},
    {"{\\rtf1 a\\bin5 {\\}}xb{\\pict\\bin6 {{}}\\}c}{\\*\\blob{\\bin3 }}}}d}\\bin2 \0}e\\bin-5 f}"s, u"abef"},
    // Links: HYPERLINK fields as word processors write them; other fields are text.
    {R"({\rtf1 see {\field{\*\fldinst{HYPERLINK "http://a.b/\'00c\'1F\'zz" }}{\fldrslt{\ul here}}} now})",
     u"see here now", "4::24:; 4::24:u>http://a.b/c'zz; 4::24:"},
    {R"({\rtf1{\field{\*\fldinst {\i0 HYPERLINK} "https://x.y/?q=1&r" \\o "tip"}{\fldrslt {\b x}y}}z})", u"xyz",
     "1::24:b>https://x.y/?q=1&r; 1::24:>https://x.y/?q=1&r; 1::24:"},
    {R"({\rtf1{\field{\*\fldinst hyperlink \\l "top"}{\fldrslt t}}{\field{\fldinst HYPERLINK u \\l x}{\fldrslt u}}{\field{\fldinst HYPERLINK u \\l x}{\fldrslt v}}})",
     u"tuv", "1::24:>#top; 2::24:>u#x"},
    {R"({\rtf1\uc1{\field{\*\fldinst HYPERLINK "http://\u252?ber.de/a\\\\b\\"c\'e9"}{\fldrslt v}}})", u"v",
     "1::24:>http://\xC3\xBC"
     "ber.de/a\\b\"c\xC3\xA9"},
    {R"({\rtf1{\field{\*\fldinst PAGE}{\fldrslt 3}}{\field{\*\fldinst HYPERLINK }{\fldrslt 4}}{\*\fldinst HYPERLINK x}5{\field{\*\fldinst "HYPERLINK" x}{\fldrslt 6}}})",
     u"3456", "4::24:"},
    {R"({\rtf1{\field{\*\fldinst HYPERLINK "http://a}{\fldrslt w}}})", u"w", "1::24:>http://a"}, // unclosed quote
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
    {"{\\rtf1 \x01z\x7F\\", u"z"}, // raw control characters are no text
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

/// A page from its text and runs in the form of runsOf().
Document page(std::u16string text, const char *runs)
{
    Document doc{std::move(text), {}};
    std::size_t pos = 0;
    for (const QString &run : QString::fromUtf8(runs).split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = run.trimmed().section(u'>', 0, 0).split(u':');
        const QString flags = f.value(3);
        doc.runs.push_back({pos,
                            f[0].toULong(),
                            {f[1].toStdString(), f[2].toInt(), flags.contains(u'b'), flags.contains(u'i'),
                             flags.contains(u'u'), run.section(u'>', 1).toStdString()}});
        pos += doc.runs.back().length;
    }
    return doc;
}

char32_t randomCodePoint(std::mt19937 &rng)
{
    // Plain ASCII most often; 0x7FF0..0x8010 is where signed 16-bit \u turns negative.
    static constexpr char32_t ranges[][2] = {{0x20, 0x7E},     {0x20, 0x7E},     {0, 12},
                                             {0x01, 0x1F},     {0x80, 0x7FF},    {0x800, 0xD7FF},
                                             {0xE000, 0xFFFF}, {0x7FF0, 0x8010}, {0x10000, 0x10FFFF}};
    static constexpr char32_t special[] = {'\\', '{', '}', '\n', '\t', 0x2028, ' ', ';', '?', '-', '0', 0x0D, 0x7F};
    const auto &r = ranges[rng() % std::size(ranges)];
    const char32_t cp = std::uniform_int_distribution<char32_t>(r[0], r[1])(rng);
    return r[0] == 0 ? special[cp] : cp;
}

/// A random well-formed page: text from all of Unicode (no NUL or lone surrogates), random runs, fonts and sizes.
Document randomPage(std::uint32_t seed, std::size_t maxLength)
{
    static const char *const fonts[] = {
        "Arial",    "",          "Caf\xC3\xA9 Sans", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E",
        "odd;name", "b\\r{a}ce", " spaced ",         "Emoji \xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"};
    static const char *const links[] = {
        "", "", "", "http://a.b/c?d=e&f", "#top", "q\"uo\\te{}\" x", "\xC3\xBC\xF0\x9F\x98\x80"};
    std::mt19937 rng(seed);
    Document doc;
    for (std::size_t i = rng() % (maxLength + 1); i > 0; --i) {
        const char32_t cp = randomCodePoint(rng);
        if (cp < 0x10000)
            doc.text += static_cast<char16_t>(cp);
        else
            doc.text += {static_cast<char16_t>(0xD7C0 + (cp >> 10)), static_cast<char16_t>(0xDC00 + (cp & 0x3FF))};
    }
    for (std::size_t pos = 0, len = 0; pos < doc.text.size(); pos += len) {
        len = std::min<std::size_t>(1 + rng() % 40, doc.text.size() - pos);
        if (pos + len < doc.text.size() && doc.text[pos + len] >= 0xDC00 && doc.text[pos + len] <= 0xDFFF)
            ++len; // never split a surrogate pair
        const int size = static_cast<int>(rng() % 10 == 0 ? 1 + rng() % 3276 : 12 + rng() % 61);
        doc.runs.push_back({pos,
                            len,
                            {fonts[rng() % std::size(fonts)], size, (rng() & 1) != 0, (rng() & 1) != 0,
                             (rng() & 1) != 0, links[rng() % std::size(links)]}});
    }
    jw::rtf::normalizeRuns(doc);
    return doc;
}

// A page and what is expected in the file written of it.
const std::pair<Document, std::string> kWriteCases[] = {
    {page(u"x", "1:Courier New:17:"),
     "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\n\\f0\\fs17 x\\par\n}\n"},
    {page(u"abcdef", "1:Arial:24:; 1:Arial:24:b; 1:Arial:24:bi; 1:Arial:24:biu; 1:Arial:17:; 1:Times:17:"),
     "{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times;}}\n"
     "\\f0\\fs24 a\\b b\\i c\\ul d\\fs17\\b0\\i0\\ulnone e\\f1 f\\par\n}"},
    {page(u"a\u2028b\tc\n\n", "7:A:24:"), "a\\line b\\tab c\\par\n\\par\n\\par\n}"},
    {page(u"\\{}\u00E9\uFFFF\u8000\u7FFF\U0001F600\x01", "10:A:24:"),
     "\\\\\\{\\}\\u233?\\u-1?\\u-32768?\\u32767?\\u-10179?\\u-8704?\\u1?\\par"},
    {Document{u"x", {{0, 1, {"odd;n\xC3\xA9{\\}\n", 24}}}},
     "{\\f0\\fnil\\fcharset0 odd\\u59?n\\u233?\\{\\\\\\}\\u10?;}"},
    {Document{}, "{\\fonttbl}\n}\n"},
    {page(u"ab c", "1:A:24:>http://x/\"\\{; 1:A:24:b>http://x/\"\\{; 2:A:24:"),
     R"({\field{\*\fldinst{HYPERLINK "http://x/\\"\\\\\{"}}{\fldrslt{\f0\fs24 a\b b}}}\f0\fs24  c\par)"},
    // Control words are delimited before whatever text follows.
    {page(u"1", "1:A:30:b"), "\\b 1\\par"},
    {page(u" lead", "5:A:30:b"), "\\b  lead\\par"},
    {page(u"\t-5\t 7", "6:A:30:b"), "\\b \\tab -5\\tab  7\\par"},
    {page(u"\n", "1:A:24:"), "\\par\n\\par\n}"},
    {page(u"\na\u2028", "3:A:24:"), "\\par\na\\line \\par\n}"},
};

} // namespace

TEST(RtfReader, Table)
{
    for (const ReadCase &c : kReadCases) {
        SCOPED_TRACE(c.rtf);
        const jw::rtf::Document doc = readRtf(c.rtf);
        EXPECT_TRUE(jwtest::wellFormed(doc));
        EXPECT_EQ(utf8(doc.text), utf8(c.text));
        EXPECT_EQ(c.runs ? runsOf(doc) : "", c.runs ? c.runs : "");
    }
}

TEST(RtfReader, ReportsEachMegabyteAndStopsWhenAsked)
{
    const std::string rtf = ("{\\rtf1 " + QByteArray("notes \\b pad\\b0\\par ").repeated(160000) + "}").toStdString();
    jw::rtf::ReadControl control{{0}, {false}, 7};
    EXPECT_EQ(readRtf(rtf, &control), readRtf(rtf));
    EXPECT_TRUE(control.done >= (std::size_t(2) << 20) + 7 && control.done < rtf.size() + 7) << control.done;
    control.stop = true;
    EXPECT_THROW(readRtf(rtf, &control), jw::rtf::ReadStopped);
}

TEST(RtfReader, GroupsPastTheDepthCapKeepTheirScope)
{
    const auto nest = [](std::size_t depth, const std::string &in) {
        return std::string(depth, '{') + in + std::string(depth, '}');
    };
    const std::size_t deep = 200000; // far past the cap, and past any sane stack
    const auto doc = readRtf("{\\rtf1 a" + nest(deep, "{\\b x}y") + "z}");
    EXPECT_EQ(std::pair(utf8(doc.text), runsOf(doc)), std::pair("axyz"s, "1::24:; 1::24:b; 2::24:"s));
    // A font table that deep still works, and what follows it is text.
    const auto table =
        readRtf("{\\rtf1\\ansicpg1252 " + nest(3000, "{\\fonttbl{\\f1\\fcharset204 C;}}\\f1\\'cf") + "\\'cf}");
    EXPECT_EQ(std::pair(utf8(table.text), runsOf(table)), std::pair("\u041F\u00CF"s, "1:C:24:; 1::24:"s));
    // Past the cap of nested changes a change is ignored rather than leaked.
    std::string changes;
    for (int i = 0; i < 1100; ++i)
        changes += i % 2 ? "{\\b0 " : "{\\b ";
    const auto many = readRtf("{\\rtf1 " + changes + "x{\\i y}" + std::string(1100, '}') + "z}");
    EXPECT_EQ(runsOf(many), "2::24:b; 1::24:");
    EXPECT_EQ(utf8(readRtf("{\\rtf1 " + std::string(deep, '{') + "deep").text), "deep");
    EXPECT_EQ(utf8(readRtf("{\\rtf1 \\" + std::string(100000, 'q') + "12345 z}").text), "z");
}

TEST(RtfWriter, Table)
{
    for (const auto &[doc, written] : kWriteCases) {
        const std::string rtf = writeRtf(doc);
        SCOPED_TRACE(rtf);
        EXPECT_NE(rtf.find(written), std::string::npos) << written;
        EXPECT_EQ(readRtf(rtf), doc);
    }
}

TEST(RtfWriter, RandomPagesReadBackTheSameAndStayAsciiAndOddRunListsAndSizesAreMadeSound)
{
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const Document doc = randomPage(seed, seed % 500 == 0 ? 100000 : 400);
        ASSERT_TRUE(jwtest::wellFormed(doc));
        const std::string rtf = writeRtf(doc);
        ASSERT_EQ(rtf, writeRtf(Document(doc))) << "seed " << seed;
        ASSERT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
        ASSERT_EQ(readRtf(rtf), doc) << "seed " << seed << "\n" << rtf;
    }
    // Overlapping, out of order, past the end, a gap: no text lost or repeated.
    const jw::rtf::CharFormat b{"A", 24, true}, p{"A", 24};
    const Document back =
        readRtf(writeRtf(Document{u"hello world", {{0, 5, b}, {3, 4, p}, {2, 1, b}, {9, 100, b}, {500, 3, p}}}));
    EXPECT_EQ(utf8(back.text), "hello world");
    EXPECT_TRUE(jwtest::wellFormed(back));
    EXPECT_EQ(readRtf(writeRtf(Document{u"no runs", {}})).text, u"no runs");
    EXPECT_EQ(runsOf(readRtf(writeRtf(page(u"ab", "1:A:0:; 1:A:99999:")))), "1:A:24:; 1:A:3276:");
    // Normalising merges only equal neighbours and drops empty runs.
    Document doc = page(u"abcdefghijkl",
                        "2:A:24:b; 0:A:24:; 1:A:24:b; 2:A:24:; 2:A:24:; 1:B:24:; 1:A:25:; 1:A:24:i; 1:A:24:u; 1:A:24:");
    jw::rtf::normalizeRuns(doc);
    EXPECT_EQ(runsOf(doc), "3:A:24:b; 4:A:24:; 1:B:24:; 1:A:25:; 1:A:24:i; 1:A:24:u; 1:A:24:");
}
