// Reading back what the writer wrote gives exactly the same document.

#include "docgen.h"

#include <gtest/gtest.h>

using jw::rtf::Document;

TEST(RtfRoundTrip, RandomDocuments)
{
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const Document doc = jwtest::randomDocument(seed);
        ASSERT_TRUE(jwtest::wellFormed(doc));
        const std::string rtf = jw::rtf::writeRtf(doc);
        const Document back = jw::rtf::readRtf(rtf);
        ASSERT_EQ(back.text, doc.text) << "seed " << seed << "\n" << rtf;
        ASSERT_EQ(back.runs, doc.runs) << "seed " << seed << "\n" << rtf;
    }
}

TEST(RtfRoundTrip, LargeRandomDocuments)
{
    for (std::uint32_t seed = 90001; seed <= 90005; ++seed) {
        const Document doc = jwtest::randomDocument(seed, 200000);
        ASSERT_EQ(jw::rtf::readRtf(jw::rtf::writeRtf(doc)), doc) << "seed " << seed;
    }
}

TEST(RtfRoundTrip, ParagraphMarksAtTheEdges)
{
    const jw::rtf::CharFormat f{"Arial", 24, false, false, false};
    for (const std::u16string text : {u"\n", u"\n\n", u"a\n", u"\na", u"a\n\n", u"\u2028", u"a\u2028"}) {
        const Document doc{text, {{0, text.size(), f}}};
        EXPECT_EQ(jw::rtf::readRtf(jw::rtf::writeRtf(doc)), doc) << jwtest::utf8(text);
    }
    EXPECT_EQ(jw::rtf::readRtf(jw::rtf::writeRtf(Document{})), Document{});
}
