#include "pages/titlerules.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(TitleRules, WhatCanNameAPageFileOnEverySystem)
{
    const struct {
        QString title;
        TitleProblem problem;
    } cases[] = {
        {u"Shopping"_s, TitleProblem::None},
        {u"a.b.c"_s, TitleProblem::None},
        {u"..a"_s, TitleProblem::None},
        {u"."_s, TitleProblem::OnlyDots},
        {u"..."_s, TitleProblem::OnlyDots},
        {u"Ünïcødé ΣΩ 日本語 😀"_s, TitleProblem::None},
        {u"it's 100% [ok] &#1!"_s, TitleProblem::None},
        {u"a\u00a0b"_s, TitleProblem::None},
        {u""_s, TitleProblem::Empty},
        {u"a/b"_s, TitleProblem::ReservedCharacter},
        {u"../escape"_s, TitleProblem::ReservedCharacter},
        {u"end\\"_s, TitleProblem::ReservedCharacter},
        {u"a:b"_s, TitleProblem::ReservedCharacter},
        {u"*"_s, TitleProblem::ReservedCharacter},
        {u"why?"_s, TitleProblem::ReservedCharacter},
        {u"\"q\""_s, TitleProblem::ReservedCharacter},
        {u"<>"_s, TitleProblem::ReservedCharacter},
        {u"a|b"_s, TitleProblem::ReservedCharacter},
        {u"a\tb"_s, TitleProblem::ControlCharacter},
        {u"a\nb"_s, TitleProblem::ControlCharacter},
        {u"a\u009fb"_s, TitleProblem::ControlCharacter},
        {u"con"_s, TitleProblem::DeviceName},
        {u"Aux "_s, TitleProblem::DeviceName},
        {u"NUL.txt"_s, TitleProblem::DeviceName},
        {u"com9"_s, TitleProblem::DeviceName},
        {u"LPT1"_s, TitleProblem::DeviceName},
        {u"COM0"_s, TitleProblem::None},
        {u"LPT10"_s, TitleProblem::None},
        {u"console"_s, TitleProblem::None},
        {u" CON"_s, TitleProblem::None},
        {QString(251, u'a'), TitleProblem::None}, // 255 bytes with ".rtf"
        {QString(252, u'a'), TitleProblem::TooLong},
        {QString(125, u'é') + u"a"_s, TitleProblem::None}, // UTF-8 bytes count
        {QString(126, u'é'), TitleProblem::TooLong},
    };
    for (const auto &c : cases)
        EXPECT_EQ(checkTitle(c.title), c.problem) << c.title.toStdString();
    EXPECT_EQ(pageTitle(u" \tTwo words  "_s), u"Two words"_s);
}

TEST(TitleRules, EveryProblemHasItsOwnSentence)
{
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

} // namespace
