#pragma once

#include <QObject>

class QSocketNotifier;

namespace jw {

/// SIGTERM (logout, shutdown, kill), SIGHUP and SIGINT as an event of the
/// event loop rather than an abrupt end, so the pad can save first. One
/// object per process; the signals take their default action again when it goes.
class ShutdownSignals final : public QObject {
    Q_OBJECT

public:
    ShutdownSignals();
    ~ShutdownSignals() override;

Q_SIGNALS:
    /// One of the signals arrived; `signal` is its number.
    void requested(int signal);

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace jw
