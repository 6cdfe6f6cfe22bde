#include "shell/commandline.h"

#include <algorithm>

namespace jw {

QString CommandLine::handOver() const
{
    QString command;
    switch (action) {
    case Action::Toggle: command = QStringLiteral("toggle"); break;
    case Action::Hide: return QStringLiteral("hide");
    default: command = QStringLiteral("show"); break;
    }
    return launchToken.isEmpty() ? command : command + u' ' + QString::fromLatin1(launchToken);
}

QByteArray launchTokenFromEnvironment()
{
    QByteArray token = qgetenv("DESKTOP_STARTUP_ID");
    if (token.isEmpty())
        token = qgetenv("XDG_ACTIVATION_TOKEN");
    const bool word = std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
    return word ? token : QByteArray();
}

HandOver splitHandOver(const QString &line)
{
    const qsizetype space = line.indexOf(u' ');
    if (space < 0)
        return {line, {}};
    return {line.left(space), line.mid(space + 1).toLatin1()};
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    for (const QString &argument : arguments) {
        CommandLine::Action action;
        if (argument == QLatin1StringView("--toggle"))
            action = CommandLine::Action::Toggle;
        else if (argument == QLatin1StringView("--show"))
            action = CommandLine::Action::Show;
        else if (argument == QLatin1StringView("--hide"))
            action = CommandLine::Action::Hide;
        else if (argument == QLatin1StringView("--help") || argument == QLatin1StringView("-h"))
            action = CommandLine::Action::Help;
        else
            return {CommandLine::Action::Start, QStringLiteral("unknown option \"%1\" (see --help)").arg(argument), {}};
        if (line.action != CommandLine::Action::Start && line.action != action)
            return {CommandLine::Action::Start, QStringLiteral("give only one of --toggle, --show, --hide and --help"), {}};
        line.action = action;
    }
    return line;
}

QString commandLineHelp()
{
    return QStringLiteral("Usage: jotwell [--toggle | --show | --hide | --help]\n"
                          "Starts the pad in the current folder, which holds its pages. When the pad already runs,\n"
                          "a new start shows its main window instead.\n\n"
                          "  --toggle  shows or hides the running pad as its hot key does (starts it if not running)\n"
                          "  --show    shows the running pad's main window (starts it if not running)\n"
                          "  --hide    hides the running pad's main window (does nothing if not running)\n"
                          "  --help    shows this text\n\n"
                          "Bind \"jotwell-pad --toggle\" to a key in your desktop's keyboard settings to summon the\n"
                          "pad where the hot key is not available (Wayland).\n");
}

} // namespace jw
