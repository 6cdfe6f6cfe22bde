#include "base/settingsstore.h"
#include "shell/commandline.h"
#include "pages/pagefiles.h"
#include "shell/fontwarmup.h"
#include "shell/frmmain.h"
#include "shell/shutdownsignals.h"
#include "shell/singleinstance.h"
#include "shell/translations.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before Qt starts, so that --help and a refused line need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    jw::CommandLine line = jw::parseCommandLine(arguments);
    line.launchToken = jw::launchTokenFromEnvironment();
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "jotwell: %s\n", qPrintable(line.error));
        return 2;
    }
    if (line.action == jw::CommandLine::Action::Help) {
        std::fputs(qPrintable(jw::commandLineHelp()), stdout);
        return 0;
    }

    const jw::FontWarmUp fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Jotwell Pro"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(JW_VERSION_MAJOR).arg(JW_VERSION_MINOR).arg(JW_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral("org.jotwell.JotwellPro"));
    jw::installTranslations(app, jw::desktopLanguages());

    // Pages live in the current folder; the settings in the user's config folder.
    jw::SettingsStore store(jw::SettingsStore::defaultPath());
    // A second start hands over to the running copy, which shows its main
    // window (or does what the option asks).
    jw::SingleInstance instance(store.filePath());
    if (!instance.claim(line.handOver()) || line.action == jw::CommandLine::Action::Hide)
        return 0;

    const jw::PageFiles files;
    jw::frmMain main(store, files);
    jw::ShutdownSignals signals;
    QObject::connect(&signals, &jw::ShutdownSignals::requested, &main, [&main] { main.endSession(true); });
    QObject::connect(&instance, &jw::SingleInstance::commandReceived, &main, &jw::frmMain::handOverCommand);
    main.Form_Load();
    // Start-up benchmarks measure from process start to the end of the load.
    if (qEnvironmentVariableIsSet("JOTWELL_QUIT_AFTER_LOAD"))
        return 0;
    return app.exec();
}
