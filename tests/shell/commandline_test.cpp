// The command line: the few options taken, and everything else refused.
#include "shell/commandline.h"

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
        if (c.handOver)
            EXPECT_EQ(line.handOver().toStdString(), c.handOver) << given;
        else
            EXPECT_EQ(line.error.count(u'\n'), 0) << "one line: " << given;
    }
}
