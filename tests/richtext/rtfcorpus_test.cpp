// Files in the shapes other programs write (hand-written samples).

#include "docgen.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using jw::rtf::CharFormat;
using jw::rtf::Document;
using jwtest::formatAt;

namespace {

Document readSample(const char *name)
{
    std::ifstream in(std::string(JW_RTF_DATA_DIR "/") + name, std::ios::binary);
    EXPECT_TRUE(in) << "missing sample " << name;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Document doc = jw::rtf::readRtf(bytes);
    EXPECT_TRUE(jwtest::wellFormed(doc)) << name;
    // Whatever we read, we can save and load again unchanged.
    EXPECT_EQ(jw::rtf::readRtf(jw::rtf::writeRtf(doc)), doc) << name;
    return doc;
}

std::size_t at(const Document &doc, std::u16string_view piece)
{
    const std::size_t pos = doc.text.find(piece);
    EXPECT_NE(pos, std::u16string::npos) << jwtest::utf8(piece);
    return pos == std::u16string::npos ? 0 : pos;
}

} // namespace

TEST(RtfCorpus, WordPad)
{
    const Document doc = readSample("wordpad.rtf");
    EXPECT_EQ(doc.text, u"Shopping list for Tuesday:\n\u00B7\tCaf\u00E9 au lait\n\u00B7\t\u043C\u043E\u043B\u043E\u043A\u043E\n"
                        u"Don\u2019t forget the receipt \u2014 50 \u20AC");
    EXPECT_EQ(formatAt(doc, 0), (CharFormat{"Calibri", 22, false, false, false}));
    EXPECT_EQ(formatAt(doc, at(doc, u"Tuesday")), (CharFormat{"Calibri", 22, true, false, false}));
    EXPECT_FALSE(formatAt(doc, at(doc, u":")).bold);
    EXPECT_EQ(formatAt(doc, at(doc, u"\u043C")), (CharFormat{"Arial", 22, false, true, false}));
    EXPECT_TRUE(formatAt(doc, at(doc, u"Don")).underline);
    EXPECT_FALSE(formatAt(doc, at(doc, u" the")).underline);
    EXPECT_EQ(formatAt(doc, at(doc, u"receipt")).halfPoints, 28);
    EXPECT_EQ(formatAt(doc, at(doc, u"50")).halfPoints, 22);
}

TEST(RtfCorpus, WordPadOldHeader)
{
    const Document doc = readSample("wordpad-ms-sans-serif.rtf");
    EXPECT_EQ(doc.text, u"text");
    ASSERT_EQ(doc.runs.size(), 1u);
    EXPECT_EQ(doc.runs[0].format, (CharFormat{"MS Sans Serif", 17, false, false, false}));
}

TEST(RtfCorpus, WordPadJapanese)
{
    const Document doc = readSample("wordpad-japanese.rtf");
    EXPECT_EQ(doc.text, u"\u3053\u3093\u306B\u3061\u306F (hello)\n\u8868\u30A2\n\u8868!");
    EXPECT_EQ(formatAt(doc, 0), (CharFormat{"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", 20, false, false, false}));
    EXPECT_EQ(formatAt(doc, at(doc, u"(hello)")).font, "Segoe UI");
    EXPECT_EQ(formatAt(doc, at(doc, u"!")).font, "Segoe UI");
}

TEST(RtfCorpus, LibreOffice)
{
    const Document doc = readSample("libreoffice.rtf");
    EXPECT_EQ(doc.text, u"Plain, bold and big italic underlined.\nGr\u00FC\u00DFe \u2014 \u4F60\u597D example.org");
    EXPECT_EQ(formatAt(doc, 0), (CharFormat{"Liberation Serif", 24, false, false, false}));
    EXPECT_TRUE(formatAt(doc, at(doc, u"bold")).bold);
    EXPECT_EQ(formatAt(doc, at(doc, u"big")), (CharFormat{"Liberation Sans", 34, false, true, true}));
    EXPECT_EQ(formatAt(doc, at(doc, u"\u4F60")).font, "Noto Sans CJK SC");
    EXPECT_TRUE(formatAt(doc, at(doc, u"example")).underline);
}

TEST(RtfCorpus, Word)
{
    const Document doc = readSample("word.rtf");
    EXPECT_EQ(doc.text, u"Hello bold and italic \u201Cquoted\u201D words.\nTimes 14\nA1\tB1\nlink");
    EXPECT_EQ(formatAt(doc, 0), (CharFormat{"Calibri", 22, false, false, false}));
    EXPECT_TRUE(formatAt(doc, at(doc, u"bold")).bold);
    EXPECT_TRUE(formatAt(doc, at(doc, u"italic")).italic);
    EXPECT_TRUE(formatAt(doc, at(doc, u"words")).underline);
    EXPECT_EQ(formatAt(doc, at(doc, u"Times 14")), (CharFormat{"Times New Roman", 28, false, false, false}));
    EXPECT_TRUE(formatAt(doc, at(doc, u"link")).underline);
}

TEST(RtfCorpus, TextEdit)
{
    const Document doc = readSample("textedit.rtf");
    EXPECT_EQ(doc.text, u"Hello from TextEdit\nBold heading\nunderlined and code\nPrice: 5\u20AC \u2013 smile \U0001F600");
    EXPECT_EQ(formatAt(doc, 0), (CharFormat{"Helvetica", 24, false, false, false}));
    EXPECT_EQ(formatAt(doc, at(doc, u"Bold")), (CharFormat{"Helvetica-Bold", 24, true, false, false}));
    EXPECT_TRUE(formatAt(doc, at(doc, u"underlined")).underline);
    EXPECT_EQ(formatAt(doc, at(doc, u"code")), (CharFormat{"Menlo-Regular", 22, false, false, false}));
}

TEST(RtfCorpus, BinaryPicture)
{
    EXPECT_EQ(readSample("binary-picture.rtf").text, u"before after");
}
