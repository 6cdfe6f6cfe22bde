#include "base/filelock.h"

#include "base/ioerror.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace jw {

FileLock::FileLock(const QString &path, int timeoutMs)
{
    const QByteArray native = QFile::encodeName(path);
    m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        throw IoError(path, QString::fromLocal8Bit(std::strerror(errno)));
    const QDeadlineTimer deadline(timeoutMs);
    int pauseMs = 1;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || deadline.hasExpired()) {
            ::close(m_fd);
            if (error == EWOULDBLOCK)
                throw LockTimeout(path, QCoreApplication::translate("jw::FileLock",
                                                                    "the settings are locked by another running copy"));
            throw IoError(path, QString::fromLocal8Bit(std::strerror(error)));
        }
        // A live holder keeps it for a few milliseconds.
        QThread::msleep(pauseMs);
        pauseMs = std::min(pauseMs * 2, 20);
    }
}

FileLock::~FileLock()
{
    // Closing the descriptor releases the lock.
    ::close(m_fd);
}

} // namespace jw
