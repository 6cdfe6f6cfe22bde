#include "shell/shutdownsignals.h"

#include "base/log.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace jw {

namespace {

// The handler may only do async-signal-safe work: it writes the signal's
// number into a pipe that the event loop watches.
int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void onSignal(int signal)
{
    const char number = static_cast<char>(signal);
    const int saved = errno;
    (void)::write(g_pipe[1], &number, 1);
    errno = saved;
}

} // namespace

ShutdownSignals::ShutdownSignals()
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcWindows) << "no pipe for the shutdown signals; they will end the pad without saving";
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        while (::read(g_pipe[0], &number, 1) == 1)
            Q_EMIT requested(number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals()
{
    for (int signal : kSignals)
        ::signal(signal, SIG_DFL);
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace jw
