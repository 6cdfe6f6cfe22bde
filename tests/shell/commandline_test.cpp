// The command line: the few options taken, and everything else refused; a
// stored hot key that cannot be used.
#include "shell/commandline.h"
#include "support/files.h"
#include "support/mainwindow.h"
#include "support/qtwait.h"

#include <gtest/gtest.h>

using jw::CommandLine;
using namespace Qt::StringLiterals;
using Action = CommandLine::Action;

TEST(CommandLine, TakesOneActionRefusesEverythingElseAndHandsOverTheLaunchToken)
{
    // The arguments, the action taken and what is handed over (nullptr: refused).
    const std::tuple<QStringList, Action, const char *> cases[] = {
        {{}, Action::Start, "show"},
        {{u"--toggle"_s}, Action::Toggle, "toggle"},
        {{u"--show"_s}, Action::Show, "show"},
        {{u"--hide"_s, u"--hide"_s}, Action::Hide, "hide"},
        {{u"-h"_s}, Action::Help, "show"},
        {{u"--toggle"_s, u"--hide"_s}, Action::Start, nullptr},
        {{u"--Toggle"_s}, Action::Start, nullptr},
        {{u"notes.rtf"_s}, Action::Start, nullptr},
        {{u"-platform"_s, u"offscreen"_s}, Action::Start, nullptr},
    };
    for (const auto &[arguments, action, handOver] : cases) {
        const CommandLine line = jw::parseCommandLine(arguments);
        const std::string given = arguments.join(u' ').toStdString();
        // An error is said in one line.
        EXPECT_EQ(std::tuple(line.action, line.error.isEmpty(), line.error.count(u'\n')),
                  std::tuple(action, handOver != nullptr, 0))
            << given;
        EXPECT_EQ(handOver ? line.handOver().toStdString() : "", handOver ? handOver : "") << given;
    }
    // A launcher's token travels with the command to the running copy.
    CommandLine line = jw::parseCommandLine({u"--toggle"_s});
    line.launchToken = "launcher-1_TIME42";
    const jw::HandOver handed = jw::splitHandOver(line.handOver());
    EXPECT_EQ(std::make_pair(handed.command, handed.launchToken), std::make_pair(u"toggle"_s, line.launchToken));
    EXPECT_EQ(jw::splitHandOver(u"show"_s).launchToken, QByteArray());
    for (const auto &[set, taken] : {std::pair("id_TIME5", "id_TIME5"), {"two words", ""}}) {
        qputenv("DESKTOP_STARTUP_ID", set);
        EXPECT_EQ(jw::launchTokenFromEnvironment(), QByteArray(taken));
    }
    qunsetenv("DESKTOP_STARTUP_ID");
}

// A stored hot key that cannot be used falls back to Alt+V and says so once.
using jwtest::MainWindowTest;

TEST_F(MainWindowTest, AStoredHotKeyThatFailsIsSaid)
{
    for (const char *stored : {"Ctrl+Alt+J", "no key at all"}) {
        ASSERT_TRUE(jwtest::writeBytes(jwtest::settingsFile(),
                                       QByteArray(R"({"Jotwell":{"HotKey":[["JotwellVisible",")") + stored + "\"]]}}"));
        const QString told = jwtest::messageFrom([&] { start().tellStartNotices(); });
        EXPECT_TRUE(told.startsWith(u"The hot key \"%1\" could not be used: "_s.arg(QLatin1StringView(stored)))
                    && told.endsWith(u" Alt+V is used instead."_s))
            << told.toStdString();
        window.reset();
    }
}
