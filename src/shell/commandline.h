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
    /// The launcher's token for the window the running copy shows (X11's
    /// DESKTOP_STARTUP_ID, Wayland's XDG_ACTIVATION_TOKEN); empty when none.
    QByteArray launchToken;

    /// The command handed to a running copy ("show" for a plain start),
    /// followed by the launch token after a space when there is one.
    QString handOver() const;
};

/// The launch token the desktop gave this process; read it before Qt starts,
/// which takes it for its own first window. Anything but one printable word is ignored.
QByteArray launchTokenFromEnvironment();

/// A handed-over line split into its command and launch token.
struct HandOver {
    QString command;
    QByteArray launchToken;
};

HandOver splitHandOver(const QString &line);

/// Reads the arguments after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

/// The text of --help.
QString commandLineHelp();

} // namespace jw
