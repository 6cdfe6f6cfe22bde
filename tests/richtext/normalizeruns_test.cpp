#include "docgen.h"

#include <gtest/gtest.h>

using jw::rtf::CharFormat;
using jw::rtf::Document;

TEST(NormalizeRuns, MergesEqualNeighboursAndDropsEmptyRuns)
{
    const CharFormat bold{"Arial", 24, true, false, false};
    const CharFormat plain{"Arial", 24, false, false, false};
    Document doc{u"abcdefg", {{0, 2, bold}, {2, 0, plain}, {2, 1, bold}, {3, 2, plain}, {5, 2, plain}}};
    jw::rtf::normalizeRuns(doc);
    EXPECT_EQ(doc.runs, (std::vector<jw::rtf::Run>{{0, 3, bold}, {3, 4, plain}}));
}

TEST(NormalizeRuns, KeepsNeighboursThatDifferInAnyAttribute)
{
    const CharFormat base{"Arial", 24, false, false, false};
    std::vector<CharFormat> formats{base};
    for (int k = 0; k < 5; ++k) {
        CharFormat f = base;
        if (k == 0) f.font = "Arial Black";
        if (k == 1) f.halfPoints = 25;
        if (k == 2) f.bold = true;
        if (k == 3) f.italic = true;
        if (k == 4) f.underline = true;
        formats.push_back(f);
        formats.push_back(base);
    }
    Document doc;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        doc.text += u'x';
        doc.runs.push_back(jw::rtf::Run{i, 1, formats[i]});
    }
    const Document before = doc;
    jw::rtf::normalizeRuns(doc);
    EXPECT_EQ(doc, before);
}
