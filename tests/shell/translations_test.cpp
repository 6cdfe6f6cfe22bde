// The desktop's language: which translation is chosen.
#include "shell/translations.h"
#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(Translations, TheDesktopsLanguagesComeInItsOrder)
{
    struct Case {
        std::map<std::string, QString> env;
        QStringList system, expected;
    } cases[] = {
        {{{"LANGUAGE", u"de_AT:fr"_s}, {"LANG", u"en_US.UTF-8"_s}}, {u"en-US"_s}, {u"de_AT"_s, u"fr"_s, u"en_US"_s}},
        {{{"LC_ALL", u"C"_s}, {"LC_MESSAGES", u"de_DE.UTF-8@euro"_s}}, {u"de-DE"_s, u"de"_s}, {u"de_DE"_s, u"de"_s}},
        {{{"LANG", u"POSIX"_s}}, {}, {}},
    };
    for (const Case &c : cases) {
        const auto env = [&](const char *name) { return c.env.contains(name) ? c.env.at(name) : QString(); };
        EXPECT_EQ(desktopLanguages(env, c.system), c.expected) << c.expected.join(u',').toStdString();
    }
}

} // namespace
