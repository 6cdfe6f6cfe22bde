// How many documents stay kept for undo, and the places file read back.
#include "pages/pageplaces.h"

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

TEST(PagePlaces, NewestDocumentsStayWhileBothLimitsHoldAndThePlacesFileReadsBackWithoutJunk)
{
    const std::tuple<std::vector<qint64>, pageplaces::Limits, std::size_t> rows[] = {
        // weights, limits, kept
        {{}, {4, 100}, 0},           {{10, 10, 10, 10, 10}, {4, 100}, 4}, // count
        {{60, 30, 20}, {4, 100}, 2},                                      // weight: the older ones go
        {{50, 50}, {4, 100}, 2},                                          // a limit reached exactly holds
        {{101, 1}, {4, 100}, 0}, // the newest alone too heavy: none is kept past it
        {{1, 1}, {0, 100}, 0},
    };
    for (const auto &[weights, limits, kept] : rows)
        EXPECT_EQ(pageplaces::keepCount(weights, limits), kept) << weights.size();
    const QHash<QString, PagePlace> places{{u"Notes.rtf"_s, {12, 3, 0}}, {u"Welcome.rtf"_s, {0, 0, 400}}};
    EXPECT_EQ(pageplaces::fromJson(pageplaces::toJson(places)), places);
    const QByteArray junk = R"({"pages": {"A.rtf": [1, 2], "B.rtf": [-1, 0, 0], "C.rtf": [1.5, 0, 0],
        "D.rtf": "x", "E.rtf": [1, 2, 3]}})";
    EXPECT_EQ(pageplaces::fromJson(junk), (QHash<QString, PagePlace>{{u"E.rtf"_s, {1, 2, 3}}}));
    EXPECT_TRUE(pageplaces::fromJson("not json").isEmpty());
}
