// The command line: the few options taken, and everything else refused; a
// stored hot key that cannot be used.
#include "shell/commandline.h"
#include "support/files.h"
#include "support/mainwindow.h"
#include "support/qtwait.h"

#include <gtest/gtest.h>

using jw::CommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, TakesOneActionAndRefusesEverythingElse)
{
    const struct {
        QStringList arguments;
        Action action;
        const char *handOver; ///< nullptr: refused
    } cases[] = {
        {{}, Action::Start, "show"},
        {{QStringLiteral("--toggle")}, Action::Toggle, "toggle"},
        {{QStringLiteral("--show")}, Action::Show, "show"},
        {{QStringLiteral("--hide"), QStringLiteral("--hide")}, Action::Hide, "hide"},
        {{QStringLiteral("-h")}, Action::Help, "show"},
        {{QStringLiteral("--toggle"), QStringLiteral("--hide")}, Action::Start, nullptr},
        {{QStringLiteral("--Toggle")}, Action::Start, nullptr},
        {{QStringLiteral("notes.rtf")}, Action::Start, nullptr},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen")}, Action::Start, nullptr},
    };
    for (const auto &c : cases) {
        const CommandLine line = jw::parseCommandLine(c.arguments);
        const std::string given = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(line.action, c.action) << given;
        EXPECT_EQ(line.error.isEmpty(), c.handOver != nullptr) << given;
        EXPECT_EQ(line.error.count(u'\n'), 0) << "one line: " << given;
        if (c.handOver) {
            EXPECT_EQ(line.handOver().toStdString(), c.handOver) << given;
        }
    }
}

// A launcher's token travels with the command to the running copy.
TEST(CommandLine, TheLaunchTokenGoesWithTheCommand)
{
    CommandLine line = jw::parseCommandLine({QStringLiteral("--toggle")});
    line.launchToken = "launcher-1_TIME42";
    const jw::HandOver handed = jw::splitHandOver(line.handOver());
    EXPECT_EQ(std::make_pair(handed.command, handed.launchToken),
              std::make_pair(QStringLiteral("toggle"), line.launchToken));
    EXPECT_EQ(jw::splitHandOver(QStringLiteral("show")).launchToken, QByteArray());
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
        jw::frmMain &w = start();
        QString told;
        jwtest::closeNextMessage(told);
        w.tellStartNotices();
        EXPECT_TRUE(
            told.startsWith(QStringLiteral("The hot key \"%1\" could not be used: ").arg(QLatin1StringView(stored))))
            << told.toStdString();
        EXPECT_TRUE(told.endsWith(QStringLiteral(" Alt+V is used instead.")));
        window.reset();
    }
}
