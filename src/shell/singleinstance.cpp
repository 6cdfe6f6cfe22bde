#include "shell/singleinstance.h"

#include "base/filelock.h"
#include "base/ioerror.h"
#include "base/log.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace jw {

namespace {
// A running copy answers at once from its event loop; one that does not
// within this time is stopped or hung, and waiting longer helps no one.
constexpr int kAnswerMs = 2000;
} // namespace

SingleInstance::SingleInstance(const QString &settingsFile) : m_path(socketPath(settingsFile))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
}

QString SingleInstance::socketPath(const QString &settingsFile)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray key = QFileInfo(settingsFile).absoluteFilePath().toUtf8();
    return folder + QStringLiteral("/jotwell-")
           + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16))
           + QStringLiteral(".socket");
}

QString SingleInstance::notAnsweringText()
{
    return QCoreApplication::translate("SingleInstance",
                                       "Another copy of Jotwell Pro is running but not answering. Wait a moment "
                                       "and start it again, or end that copy.");
}

SingleInstance::Reply SingleInstance::handOver(const QString &command, QString *answer) const
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    const QDeadlineTimer deadline(kAnswerMs);
    // Refused or missing: no copy listens there any more.
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return socket.error() == QLocalSocket::SocketTimeoutError ? Reply::Silent : Reply::NoCopy;
    socket.write(command.toUtf8() + '\n');
    socket.waitForBytesWritten(int(deadline.remainingTime()));
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
        socket.waitForReadyRead(int(deadline.remainingTime()));
    if (!socket.canReadLine())
        // Closed without an answer: the copy died during the handover.
        return socket.state() == QLocalSocket::ConnectedState ? Reply::Silent : Reply::NoCopy;
    if (answer)
        *answer = QString::fromUtf8(socket.readLine()).trimmed();
    return Reply::Answered;
}

SingleInstance::Claim SingleInstance::claim(const QString &command)
{
    try {
        // Two copies starting at once must not both become the running one.
        const FileLock lock(m_path + QStringLiteral(".lock"), kAnswerMs);
        switch (handOver(command)) {
        case Reply::Answered: return Claim::HandedOver;
        case Reply::Silent: return Claim::NotAnswering;
        case Reply::NoCopy: break;
        }
        // Nobody there: what is left was a copy that died.
        QLocalServer::removeServer(m_path);
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server.listen(m_path))
            qCWarning(lcWindows) << "cannot listen on" << m_path << ":" << m_server.errorString();
    } catch (const LockTimeout &error) {
        // Held by a copy that is starting or stopped in the middle of its own claim.
        qCWarning(lcWindows) << error.what();
        return Claim::NotAnswering;
    } catch (const IoError &error) {
        // No lock to be had at all (a read-only runtime folder): better one copy too many than none.
        qCWarning(lcWindows) << "cannot make sure this is the only running copy:" << error.what();
    }
    return Claim::Running;
}

void SingleInstance::serve()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
    }
}

void SingleInstance::setHandler(Handler handler)
{
    m_handler = std::move(handler);
    for (QLocalSocket *socket : m_server.findChildren<QLocalSocket *>())
        answer(socket);
}

void SingleInstance::answer(QLocalSocket *socket)
{
    // The pad is still starting.
    if (!m_handler)
        return;
    while (socket->canReadLine()) {
        // The command is the first field; later fields are for later use.
        const QString command = QString::fromUtf8(socket->readLine()).trimmed().section(u'\t', 0, 0);
        socket->write(m_handler(command).toUtf8() + '\n');
        socket->flush();
    }
}

} // namespace jw
