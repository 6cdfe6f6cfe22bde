#pragma once

#include <QString>
#include <QStringList>

namespace jw {

/// What the command line asks for. Only these options are taken; starting
/// without any is the plain start.
struct CommandLine {
    enum class Action { Start, Toggle, Show, Hide, Help };
    Action action = Action::Start;
    QString error; ///< set: the line is refused with this one sentence

    /// The command handed to a running copy ("show" for a plain start).
    QString handOver() const;
};

/// Reads the arguments after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

/// The text of --help.
QString commandLineHelp();

} // namespace jw
