#include "shell/singleinstance.h"

#include "base/filelock.h"
#include "base/ioerror.h"
#include "base/log.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace jw {

namespace {
// Generous: the running copy may be busy saving a large page.
constexpr int kAnswerMs = 15000;
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

bool SingleInstance::handOver(const QString &command, QString *answer) const
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    socket.write(command.toUtf8() + '\n');
    socket.waitForBytesWritten(kAnswerMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerMs)) {
    }
    if (answer)
        *answer = QString::fromUtf8(socket.readLine()).trimmed();
    return true;
}

bool SingleInstance::claim(const QString &command)
{
    try {
        // Two copies starting at once must not both become the running one.
        const FileLock lock(m_path + QStringLiteral(".lock"));
        if (handOver(command))
            return false;
        // Nobody answered: what is there was left by a copy that died.
        QLocalServer::removeServer(m_path);
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server.listen(m_path))
            qCWarning(lcWindows) << "cannot listen on" << m_path << ":" << m_server.errorString();
    } catch (const IoError &error) {
        qCWarning(lcWindows) << "cannot make sure this is the only running copy:" << error.what();
    }
    return true;
}

void SingleInstance::serve()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString command = QString::fromUtf8(socket->readLine()).trimmed();
                const QString answer = m_handler ? m_handler(command) : QStringLiteral("ok");
                socket->write(answer.toUtf8() + '\n');
                socket->flush();
            }
        });
    }
}

} // namespace jw
