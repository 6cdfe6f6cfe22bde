#include "base/fileio.h"

#include "base/ioerror.h"

#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace jw {

namespace {

QString osReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Opening a pipe or a device would block or never end, and QFile "opens" a
// directory and then fails without a reason; refuse all of them up front.
void openRegularForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (info.isDir())
        throw IoError(file.fileName(), osReason(EISDIR));
    if (info.exists() && !info.isFile())
        throw IoError(file.fileName(), QStringLiteral("Not a regular file"));
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(file.fileName(), file.errorString());
}

// The rename that replaced the file is recorded in the folder, so the folder
// has to reach the disk too. The new content is already in place when this
// runs, so a failure here is not reported as a failed write.
void syncParentFolder(const QString &path)
{
#if defined(Q_OS_UNIX)
    // Through a symbolic link the rename happened in the target's folder.
    const QFileInfo info(path);
    const QString canonical = info.canonicalPath();
    const QByteArray folder = QFile::encodeName(canonical.isEmpty() ? info.absolutePath() : canonical);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

void openForReplace(QSaveFile &file)
{
    const QFileInfo existing(file.fileName());
    // A directory in the way would only fail at the final rename; say so early.
    if (existing.isDir())
        throw IoError(file.fileName(), osReason(EISDIR));
    // The rename could replace a read-only file; keep its protection
    // (QSaveFile refuses too, in words of its own).
    if (existing.exists() && !existing.isWritable())
        throw IoError(file.fileName(), osReason(EACCES));
    // Unbuffered: through the buffer a short write (full disk, size limit)
    // is reported as complete and the truncated file is then committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw IoError(file.fileName(), file.errorString());
}

[[noreturn]] void cancel(QSaveFile &file, const QString &reason)
{
    file.cancelWriting();
    throw IoError(file.fileName(), reason);
}

void writeOrCancel(QSaveFile &file, const char *data, qint64 size)
{
    // A short write is retried; the retry fails with the reason.
    while (size > 0) {
        const qint64 done = file.write(data, size);
        if (done <= 0)
            cancel(file, file.errorString());
        data += done;
        size -= done;
    }
}

void commit(QSaveFile &file)
{
#if defined(Q_OS_LINUX)
    // QSaveFile syncs too but ignores the result; a late write error (a full
    // disk with delayed allocation) must stop the rename.
    if (::fdatasync(file.handle()) != 0)
        cancel(file, osReason(errno));
#elif defined(Q_OS_UNIX)
    if (::fsync(file.handle()) != 0)
        cancel(file, osReason(errno));
#endif
    if (!file.commit())
        throw IoError(file.fileName(), file.errorString());
    syncParentFolder(file.fileName());
}

} // namespace

FileStamp fileStamp(const QString &path)
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, quint64(st.st_ino)};
#else
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000, 0};
#endif
}

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    openRegularForReading(file);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(path, file.errorString());
    return bytes;
}

void writeFileAtomically(const QString &path, QByteArrayView data)
{
    QSaveFile file(path);
    openForReplace(file);
    writeOrCancel(file, data.data(), data.size());
    commit(file);
}

void copyFileAtomically(const QString &from, const QString &to)
{
    QFile source(from);
    openRegularForReading(source);
    QSaveFile target(to);
    openForReplace(target);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0) {
            const QString reason = source.errorString();
            target.cancelWriting();
            throw IoError(from, reason);
        }
        if (got == 0)
            break;
        writeOrCancel(target, buffer, got);
    }
    commit(target);
}

} // namespace jw
