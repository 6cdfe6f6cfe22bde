// The matching rules of the search across all pages, by tables.
#include "search/canceltoken.h"
#include "search/hitcontext.h"
#include "search/matcher.h"

#include "support/files.h"

#include <gtest/gtest.h>

using namespace jw::search;
using namespace Qt::StringLiterals;

namespace {

std::string shown(const std::vector<Hit> &hits)
{
    std::string out;
    for (const Hit &h : hits)
        out += (out.empty() ? "" : " ") + std::to_string(h.start) + '+' + std::to_string(h.length);
    return out;
}

TEST(Matcher, FindsByCaseFoldingWordBoundariesAndWholeCharactersChecksHitsAgainAndStopsWhenCancelled)
{
    const Options plain, exact{true, false}, words{false, true};
    const std::tuple<QString, QString, Options, std::string> cases[] = {
        // text, query, options, hits
        {u"xABCx abc"_s, u"abc"_s, plain, "1+3 6+3"},
        {u"xABCx abc"_s, u"abc"_s, exact, "6+3"},
        {u"aaaa"_s, u"aa"_s, plain, "0+2 2+2"}, // never overlapping
        {u"abc"_s, u""_s, plain, ""},
        {u"Été été ÉTÉ"_s, u"été"_s, plain, "0+3 4+3 8+3"},
        {u"Été été"_s, u"été"_s, exact, "4+3"},
        {u"ПРИВЕТ, привет"_s, u"Привет"_s, plain, "0+6 8+6"},
        {u"ΣΟΦΟΣ σοφός"_s, u"σοφος"_s, plain, "0+5"}, // final sigma folds to σ; the accent still counts
        {u"ὈΔΥΣΣΕΎΣ"_s, u"ὀδυσσεύς"_s, plain, "0+8"},
        {u"STRASSE Straße"_s, u"straße"_s, plain, "0+7 8+6"},
        {u"ßx ßßx"_s, u"x"_s, plain, "1+1 5+1"},             // positions after longer foldings map back
        {u"ß"_s, u"s"_s, plain, ""},                         // half of a character's folding is no hit
        {QString(300, u'ß') + u'x', u"x"_s, plain, "300+1"}, // the folded text grows as it goes
        {u"ﬁle FILE"_s, u"file"_s, plain, "0+3 4+4"},
        // The first and last characters of the ranges that fold longer.
        {u"\u0587\u1E96\u1FFC\uFB00\uFB17"_s, u"\u0565\u0582h\u0331\u03C9\u03B9ff\u0574\u056D"_s, plain, "0+5"},
        {u"İ i"_s, u"i"_s, plain, "2+1"},
        {u"\U00010400 \U00010428"_s, u"\U00010428"_s, plain, "0+2 3+2"}, // astral letters fold too
        {u"\U0001F600\U0001F600"_s, u"\U0001F600"_s.left(1), exact, ""}, // never half a pair
        {u"\u00C9\xDC00"_s, u"\u00E9"_s, plain, "0+1"},                  // a stray half of a pair stands alone
        {u"cafe\u0301 cafe"_s, u"cafe"_s, plain, "6+4"},                 // nor a letter from its accent
        {u"cat concat cat. Cat"_s, u"cat"_s, words, "0+3 11+3 16+3"},
        {u"cat concat cat."_s, u"cat"_s, Options{true, true}, "0+3 11+3"},
        {u"миру мир"_s, u"мир"_s, words, "5+3"},
        {u"don't don"_s, u"don"_s, words, "6+3"},
        {u"a-b a_b"_s, u"a"_s, words, "0+1"},
        {u"one two\tthree"_s, u"two three"_s, plain, ""},
        {u"one two\tthree"_s, u"two"_s, words, "4+3"},
    };
    for (const auto &[text, query, options, want] : cases) {
        const Matcher matcher(query, options);
        const auto hits = matcher.findAll(text);
        EXPECT_EQ(shown(hits), want) << text.toStdString() << " / " << query.toStdString();
        for (const Hit &h : hits)
            EXPECT_TRUE(matcher.matchesAt(text, h)) << text.toStdString() << " at " << h.start;
    }
    // Whole words look beyond the nearby text on a long page.
    const QString text = QString(100, u'x') + u" needle "_s + QString(100000, u'y') + u"needle"_s;
    EXPECT_EQ(shown(Matcher(u"needle"_s, {false, true}).findAll(text)), "101+6");
    EXPECT_EQ(shown(Matcher(u"NEEDLE"_s, {}).findAll(text)), "101+6 100108+6");

    // Hits checked against text that changed since (the table checks that found hits match).
    const Matcher matcher(u"Ab"_s, {});
    EXPECT_FALSE(matcher.matchesAt(u"xaB"_s, {0, 2}));
    EXPECT_FALSE(matcher.matchesAt(u"xaB"_s, {2, 2})); // past the end
    EXPECT_FALSE(matcher.matchesAt(u"xaBc"_s, {1, 3}));
    EXPECT_FALSE(Matcher(u"ab"_s, {true, false}).matchesAt(u"xaB"_s, {1, 2}));
    EXPECT_FALSE(Matcher(u"ab"_s, {false, true}).matchesAt(u"xaBc"_s, {1, 2}));

    // A cancelled search finds nothing.
    const CancelToken cancel;
    cancel.cancel();
    EXPECT_TRUE(Matcher(u"a"_s, {}).findAll(u"a a a"_s, &cancel).empty());
}

TEST(HitContext, ShowsTheWordsAroundTheHitOnOneLine)
{
    const QString para = u"The quick brown fox jumps over the lazy dog and runs far away from here and back"_s;
    const std::tuple<QString, Hit, QString, qsizetype> cases[] = {
        // text, hit, line shown, mark's start in it
        {u"one\ntwo three\nfour"_s, {4, 3}, u"two three"_s, 0},
        {u"a\tb c"_s, {2, 1}, u"a b c"_s, 2},
        {u"  indented word"_s, {11, 4}, u"indented word"_s, 9},
        {para, {35, 4}, u"… fox jumps over the lazy dog and runs far away from here and …"_s, 21},
        {u"x "_s + QString(60, u'y'), {0, 2}, u"x "_s + QString(40, u'y') + u" …"_s, 0}, // a hit ending in a space
    };
    for (const auto &[text, hit, line, mark] : cases) {
        const HitContext context = hitContext(text, hit);
        EXPECT_EQ(std::pair(context.line, context.markStart), std::pair(line, mark));
        EXPECT_EQ(context.line.mid(context.markStart, context.markLength), text.mid(hit.start, hit.length));
    }
}

} // namespace
