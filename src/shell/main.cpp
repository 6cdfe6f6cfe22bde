#include "base/settingsstore.h"
#include "shell/commandline.h"
#include "pages/pagefiles.h"
#include "shell/fontwarmup.h"
#include "shell/frmmain.h"
#include "shell/shutdownsignals.h"
#include "shell/singleinstance.h"
#include "shell/translations.h"

#include "ui/messagebox.h"

#include <QApplication>

#include <cstdio>
#include <new>
#include <utility>

namespace {

/// Catches running out of memory in any event (a layout, a paste, a save)
/// instead of ending the pad: the text stays in the editor and is said once.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc &) {
            if (!std::exchange(m_telling, true)) {
                jw::ui::MsgBox(nullptr, QCoreApplication::translate(
                                            "Application", "There is not enough memory to finish what the pad was "
                                                           "doing. Your text is still in the page; close other "
                                                           "programs, then save it."));
                m_telling = false;
            }
            return false;
        }
    }

private:
    bool m_telling = false;
};

} // namespace

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
    Application app(argc, argv);
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
    const jw::SingleInstance::Claim claim = instance.claim(line.handOver());
    if (claim == jw::SingleInstance::Claim::NotAnswering) {
        const QString text = jw::SingleInstance::notAnsweringText();
        std::fprintf(stderr, "jotwell: %s\n", qPrintable(text));
        jw::ui::MsgBox(nullptr, text);
        return 1;
    }
    if (claim == jw::SingleInstance::Claim::HandedOver || line.action == jw::CommandLine::Action::Hide)
        return 0;

    // The splash is up before the main window is built: it is what the user waits on.
    jw::frmSplash *splash = jw::frmMain::showSplash();
    const jw::PageFiles files;
    jw::frmMain main(store, files);
    jw::ShutdownSignals signals;
    QObject::connect(&signals, &jw::ShutdownSignals::requested, &main, [&main] { main.endSession(true); });
    main.Form_Load(splash);
    // Commands from later starts wait until the pad is whole.
    instance.setHandler([&main](const QString &command) { return main.handOverCommand(command); });
    // Start-up benchmarks measure from process start to the end of the load.
    if (qEnvironmentVariableIsSet("JOTWELL_QUIT_AFTER_LOAD"))
        return 0;
    return QApplication::exec();
}
