// Word differences between a version and the page now.
#include "pages/worddiff.h"

#include <QString>

#include <gtest/gtest.h>

using namespace jw::worddiff;
using namespace Qt::StringLiterals;

namespace {

QList<Change> diff(const QString &then, const QString &now, int maxEdits = 2000)
{
    return changes(then, words(then), now, words(now), maxEdits);
}

TEST(WordDiff, FindsTheFewestWordEditsInOrderAndAPageRewrittenPastTheLimitIsOneChange)
{
    const std::tuple<QString, QString, QList<Change>> table[] = {
        {u"same words here"_s, u"same  words\nhere"_s, {}},
        {u""_s, u"two words"_s, {{0, 0, 0, 2}}},
        {u"a b c"_s, u"a c"_s, {{1, 1, 1, 0}}},
        {u"a b c d"_s, u"a x c y d"_s, {{1, 1, 1, 1}, {3, 0, 3, 1}}},
        {u"one two three"_s, u"three two one"_s, {{0, 2, 0, 0}, {3, 0, 1, 2}}},
        {u"a b c d e f"_s, u"a b C d E f"_s, {{2, 1, 2, 1}, {4, 1, 4, 1}}},
    };
    for (const auto &[then, now, expected] : table)
        EXPECT_EQ(diff(then, now), expected) << then.toStdString() << " -> " << now.toStdString();
    const QString separated = u"alpha\u2028beta\tgamma"_s;
    ASSERT_EQ(words(separated).size(), 3);
    EXPECT_EQ(words(separated)[2].start, 11);
    EXPECT_EQ(count(diff(u"a b c d"_s, u"a x c y d"_s)), (Counts{2, 1}));
    QString then, now;
    for (int i = 0; i < 50; ++i) {
        then += u"old%1 "_s.arg(i);
        now += u"new%1 "_s.arg(i);
    }
    const QString both = u"begin "_s;
    EXPECT_EQ(diff(both + then + both, both + now + both, 10), (QList<Change>{{1, 50, 1, 50}}));
    EXPECT_EQ(count(diff(then, now)), (Counts{50, 50}));
}

} // namespace
