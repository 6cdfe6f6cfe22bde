#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

namespace jw {

/// One running copy per settings file: the page list lives there, so two
/// copies are never safe, even on different page folders. The running copy
/// listens on a local socket in $XDG_RUNTIME_DIR named after the settings
/// file's path; a later start hands its command over and ends.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString &settingsFile);

    /// The socket of the copy that uses `settingsFile`.
    static QString socketPath(const QString &settingsFile);

    /// Becomes the running copy, or, when another copy runs, hands it
    /// `command` and returns false. A socket left by a dead copy is taken over.
    bool claim(const QString &command);
    /// Hands `command` to the running copy; false when no copy answered.
    bool handOver(const QString &command, QString *answer = nullptr) const;

    /// Does what a later start handed over and gives the answer that goes
    /// back to it ("ok" when done).
    using Handler = std::function<QString(const QString &command)>;
    void setHandler(Handler handler) { m_handler = std::move(handler); }

private:
    void serve();

    QString m_path;
    Handler m_handler;
    QLocalServer m_server;
};

} // namespace jw
