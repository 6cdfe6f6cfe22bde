#include "pages/titlerules.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(TitleRules, WhatCanNameAPageFileOnEverySystem)
{
    using P = TitleProblem;
    const std::pair<QString, TitleProblem> cases[] = {
        {u"Shopping"_s, P::None},
        {u"a.b.c"_s, P::None},
        {u"..a"_s, P::None},
        {u"."_s, P::OnlyDots},
        {u"..."_s, P::OnlyDots},
        {u"Ünïcødé ΣΩ 日本語 😀"_s, P::None},
        {u"it's 100% [ok] &#1!"_s, P::None},
        {u"a\u00a0b"_s, P::None},
        {u""_s, P::Empty},
        {u"a/b"_s, P::ReservedCharacter},
        {u"../escape"_s, P::ReservedCharacter},
        {u"end\\"_s, P::ReservedCharacter},
        {u"a:b"_s, P::ReservedCharacter},
        {u"*"_s, P::ReservedCharacter},
        {u"why?"_s, P::ReservedCharacter},
        {u"\"q\""_s, P::ReservedCharacter},
        {u"<>"_s, P::ReservedCharacter},
        {u"a|b"_s, P::ReservedCharacter},
        {u"a\tb"_s, P::ControlCharacter},
        {u"a\nb"_s, P::ControlCharacter},
        {u"a\u009fb"_s, P::ControlCharacter},
        {u"con"_s, P::DeviceName},
        {u"Aux "_s, P::DeviceName},
        {u"NUL.txt"_s, P::DeviceName},
        {u"com9"_s, P::DeviceName},
        {u"LPT1"_s, P::DeviceName},
        {u"COM0"_s, P::None},
        {u"LPT10"_s, P::None},
        {u"console"_s, P::None},
        {u" CON"_s, P::None},
        {QString(251, u'a'), P::None},
        {QString(252, u'a'), P::TooLong}, // 255 bytes with ".rtf"
        {QString(125, u'é') + u"a"_s, P::None},
        {QString(126, u'é'), P::TooLong}, // UTF-8 bytes count
    };
    for (const auto &[title, problem] : cases)
        EXPECT_EQ(checkTitle(title), problem) << title.toStdString();
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
