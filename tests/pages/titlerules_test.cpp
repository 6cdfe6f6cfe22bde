#include "pages/titlerules.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

TEST(TitleRules, WhatCanNameAPageFileOnEverySystemAndEveryProblemHasItsOwnSentence)
{
    using P = TitleProblem;
    // Grouped by the answer; the lengths are the last that fit and the first that do not
    // (255 bytes with ".rtf", UTF-8 bytes counted).
    const std::pair<TitleProblem, QStringList> cases[] = {
        {P::None,
         {u"Shopping"_s, u"a.b.c"_s, u"..a"_s, u"Ünïcødé ΣΩ 日本語 😀"_s, u"it's 100% [ok] &#1!"_s, u"a\u00a0b"_s,
          u"COM0"_s, u"LPT10"_s, u"console"_s, u" CON"_s, QString(251, u'a'), QString(125, u'é') + u"a"_s}},
        {P::TooLong, {QString(252, u'a'), QString(126, u'é')}},
        {P::OnlyDots, {u"."_s, u"..."_s}},
        {P::Empty, {u""_s}},
        {P::ReservedCharacter,
         {u"a/b"_s, u"../escape"_s, u"end\\"_s, u"a:b"_s, u"*"_s, u"why?"_s, u"\"q\""_s, u"<>"_s, u"a|b"_s}},
        {P::ControlCharacter, {u"a\tb"_s, u"a\nb"_s, u"a\u009fb"_s}},
        {P::DeviceName, {u"con"_s, u"Aux "_s, u"NUL.txt"_s, u"com9"_s, u"LPT1"_s}},
    };
    for (const auto &[problem, titles] : cases)
        for (const QString &title : titles)
            EXPECT_EQ(checkTitle(title), problem) << title.toStdString();
    EXPECT_EQ(pageTitle(u" \tTwo words  "_s), u"Two words"_s);
    QStringList seen;
    for (TitleProblem p : {TitleProblem::Empty, TitleProblem::ReservedCharacter, TitleProblem::ControlCharacter,
                           TitleProblem::DeviceName, TitleProblem::TooLong, TitleProblem::OnlyDots}) {
        const QString text = titleProblemText(p, u"Aux .txt"_s);
        EXPECT_TRUE(text.endsWith(u'.')) << text.toStdString();
        EXPECT_FALSE(seen.contains(text));
        seen << text;
    }
    EXPECT_TRUE(titleProblemText(TitleProblem::DeviceName, u"Aux .txt"_s).contains(u"\"Aux\""_s));
    EXPECT_TRUE(titleProblemText(TitleProblem::None, u"x"_s).isEmpty());
}
