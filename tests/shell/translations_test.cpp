// The desktop's language: which translation is chosen.
#include "shell/translations.h"
#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(Translations, TheDesktopsLanguagesComeInItsOrder)
{
    // The environment, the system's languages, the languages in order.
    const std::tuple<std::map<std::string, QString>, QStringList, QStringList> cases[] = {
        {{{"LANGUAGE", u"de_AT:fr"_s}, {"LANG", u"en_US.UTF-8"_s}}, {u"en-US"_s}, {u"de_AT"_s, u"fr"_s, u"en_US"_s}},
        {{{"LC_ALL", u"C"_s}, {"LC_MESSAGES", u"de_DE.UTF-8@euro"_s}}, {u"de-DE"_s, u"de"_s}, {u"de_DE"_s, u"de"_s}},
        {{{"LANG", u"POSIX"_s}}, {}, {}},
    };
    for (const auto &[vars, system, expected] : cases) {
        const auto env = [&v = vars](const char *name) { return v.contains(name) ? v.at(name) : QString(); };
        EXPECT_EQ(desktopLanguages(env, system), expected) << expected.join(u',').toStdString();
    }
}

} // namespace
