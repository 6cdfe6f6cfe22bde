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
///
/// A handover is one line of UTF-8: the command, then optional fields
/// separated by tabs (room for more without breaking older copies, which
/// read the command only). The answer is one line too.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString &settingsFile);

    /// The socket of the copy that uses `settingsFile`.
    static QString socketPath(const QString &settingsFile);

    /// What a start found.
    enum class Claim {
        Running,     ///< this is the running copy now (a dead copy's socket was taken over)
        HandedOver,  ///< another copy took the command
        NotAnswering ///< another copy is there but gave no answer within two seconds
    };
    Claim claim(const QString &command);

    /// How a handover went.
    enum class Reply { Answered, NoCopy, Silent };
    /// Hands `command` to the running copy, waiting at most two seconds.
    Reply handOver(const QString &command, QString *answer = nullptr) const;

    /// What a start says when the running copy does not answer.
    static QString notAnsweringText();

    /// Does what a later start handed over and gives the answer that goes
    /// back to it ("ok" when done). Commands that came before wait for it.
    using Handler = std::function<QString(const QString &command)>;
    void setHandler(Handler handler);

private:
    void serve();
    void answer(QLocalSocket *socket);

    QString m_path;
    Handler m_handler;
    QLocalServer m_server;
};

} // namespace jw
