#include "base/fileio.h"

#include "base/ioerror.h"
#include "base/log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <optional>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jw {

namespace {

QString osReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void fail(const QString &path, int error) { throw IoError(path, osReason(error)); }

// Read once while the program is still single-threaded: umask() can only be
// read by changing it, which must not race with a journal write on a worker.
const mode_t g_umask = [] {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}();

FileStamp stampOf(const struct stat &st)
{
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, quint64(st.st_ino)};
}

// Opening a pipe or a device would block or never end, and QFile "opens" a
// directory and then fails without a reason; refuse all of them up front.
void openRegularForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (info.isDir())
        fail(file.fileName(), EISDIR);
    if (info.exists() && !info.isFile())
        throw IoError(file.fileName(), QCoreApplication::translate("jw::FileIo", "Not a regular file"));
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(file.fileName(), file.errorString());
}

/// The file a write to `path` lands in: through a symbolic link, its target.
QString writeTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The rename that replaced the file is recorded in the folder, so the folder
// has to reach the disk too. The new content is already in place when this
// runs, so a failure here is not reported as a failed write.
void syncParentFolder(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Refuses early what would only fail at the rename, or what the rename
/// would wrongly get past: a folder in the way, a read-only file (whose
/// protection a rename would ignore), a read-only file system.
void checkReplaceable(const QString &target)
{
    const QByteArray native = QFile::encodeName(target);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode))
        fail(target, EISDIR);
    if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
        fail(target, errno);
}

/// A new file beside `target` under a name isTemporaryName knows, removed
/// again unless it was put in place.
class TempFile final {
public:
    explicit TempFile(const QString &target) : m_target(target)
    {
        m_path = QFile::encodeName(target) + ".jw-XXXXXX";
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        if (m_fd < 0)
            fail(target, errno);
        // What a plain create would give: the old file's mode, else the umask's.
        struct stat st {};
        const mode_t mode =
            ::stat(QFile::encodeName(target).constData(), &st) == 0 ? st.st_mode & 07777 : 0666 & ~g_umask;
        ::fchmod(m_fd, mode);
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_placed)
            ::unlink(m_path.constData());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    void write(const char *data, qint64 size)
    {
        // A short write (full disk, size limit) is retried; the retry fails with the reason.
        while (size > 0) {
            const ssize_t done = ::write(m_fd, data, size_t(size));
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                fail(m_target, done < 0 ? errno : ENOSPC);
            data += done;
            size -= done;
        }
    }
    /// Flushes the bytes to disk and closes the file; its stamp.
    FileStamp finish()
    {
        // A late write error (a full disk with delayed allocation) must stop the rename.
        if (::fdatasync(m_fd) != 0)
            fail(m_target, errno);
        struct stat st {};
        if (::fstat(m_fd, &st) != 0)
            fail(m_target, errno);
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            fail(m_target, errno);
        return stampOf(st);
    }
    const QByteArray &path() const { return m_path; }
    /// The name now belongs to whatever is there; it is no longer removed.
    void placed() { m_placed = true; }

private:
    QString m_target;
    QByteArray m_path;
    int m_fd = -1;
    bool m_placed = false;
};

void renameInPlace(TempFile &temp, const QString &target)
{
    if (::rename(temp.path().constData(), QFile::encodeName(target).constData()) != 0)
        fail(target, errno);
    temp.placed();
    syncParentFolder(target);
}

/// Hands the version now at `out` (taken from `target`) to `cameOut`; removes it unless taken.
bool handOut(const QByteArray &out, const FileStamp &stamp, const DisplacedHandler &cameOut)
{
    const bool taken = cameOut && cameOut({QFile::decodeName(out), stamp});
    if (!taken)
        ::unlink(out.constData());
    return taken;
}

/// A second name for the file at `target` under a temporary name, and the
/// stamp of the version it holds: a hard link, or a copy where the file
/// system has none.
Displaced keepAside(const QString &target)
{
    const QByteArray native = QFile::encodeName(target);
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = native + ".jw-";
        for (int i = 0; i < 6; ++i)
            name += digits[QRandomGenerator::global()->bounded(int(sizeof digits - 1))];
        struct stat st {};
        if (::link(native.constData(), name.constData()) == 0)
            return {QFile::decodeName(name), ::lstat(name.constData(), &st) == 0 ? stampOf(st) : FileStamp{}};
        if (errno != EEXIST)
            break;
    }
    const FileStamp before = fileStamp(target);
    TempFile copy(target);
    const QByteArray bytes = readWholeFile(target);
    copy.write(bytes.constData(), bytes.size());
    copy.finish();
    copy.placed();
    // Replaced while it was copied: which version the copy holds is unknown, so it is never taken for the one read.
    return {QFile::decodeName(copy.path()), fileStamp(target) == before ? before : FileStamp{}};
}

FileStamp replaceWithoutExchange(TempFile &temp, const FileStamp &written, const QString &target,
                                 const DisplacedHandler &cameOut)
{
    static std::atomic_bool logged = false;
    if (!logged.exchange(true))
        qCWarning(lcFiles).noquote() << "the file system of" << target
                                     << "cannot exchange two files in one step; a version written elsewhere at the "
                                        "moment of a save can be lost";
    // The version in place gets a second name first, so the rename cannot take it away unseen.
    std::optional<Displaced> aside;
    if (cameOut && fileStamp(target).exists)
        aside = keepAside(target);
    try {
        renameInPlace(temp, target);
    } catch (const IoError &) {
        if (aside) // the version in place is still there
            ::unlink(QFile::encodeName(aside->path).constData());
        throw;
    }
    if (aside)
        handOut(QFile::encodeName(aside->path), aside->stamp, cameOut);
    return written;
}

} // namespace

FileStamp fileStamp(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return stampOf(st);
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

QByteArray readWholeFile(const QString &path, const std::function<bool(qint64 read)> &more)
{
    QFile file(path);
    openRegularForReading(file);
    QByteArray bytes;
    constexpr qint64 piece = qint64(8) << 20;
    bytes.reserve(file.size() + piece); // growing piece by piece would copy it all each time
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + piece);
        const qint64 got = file.read(bytes.data() + at, piece);
        if (got < 0)
            throw IoError(path, file.errorString());
        bytes.resize(at + got);
        if (got == 0 || !more(bytes.size()))
            return bytes;
    }
}

FileStamp writeFileAtomically(const QString &path, QByteArrayView data)
{
    const QString target = writeTarget(path);
    checkReplaceable(target);
    TempFile temp(target);
    temp.write(data.data(), data.size());
    const FileStamp written = temp.finish();
    renameInPlace(temp, target);
    return written;
}

void copyFileAtomically(const QString &from, const QString &to)
{
    QFile source(from);
    openRegularForReading(source);
    const QString target = writeTarget(to);
    checkReplaceable(target);
    TempFile temp(target);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0)
            throw IoError(from, source.errorString());
        if (got == 0)
            break;
        temp.write(buffer, got);
    }
    temp.finish();
    renameInPlace(temp, target);
}

FileStamp exchangeFile(const QString &path, QByteArrayView data, const DisplacedHandler &cameOut)
{
    const QString target = writeTarget(path);
    checkReplaceable(target);
    TempFile temp(target);
    temp.write(data.data(), data.size());
    const FileStamp written = temp.finish();
#if defined(Q_OS_LINUX)
    const QByteArray native = QFile::encodeName(target);
    const char *ours = temp.path().constData();
    // A file may appear or go between the two attempts; a few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        if (::renameat2(AT_FDCWD, ours, AT_FDCWD, native.constData(), RENAME_NOREPLACE) == 0) {
            temp.placed();
            syncParentFolder(target);
            return written;
        }
        if (errno == EINVAL || errno == ENOSYS)
            break;
        if (errno != EEXIST)
            fail(target, errno);
        if (::renameat2(AT_FDCWD, ours, AT_FDCWD, native.constData(), RENAME_EXCHANGE) == 0) {
            // The name of our temporary file now holds the version that was in place.
            temp.placed();
            struct stat st {};
            const FileStamp out = ::lstat(ours, &st) == 0 ? stampOf(st) : FileStamp{};
            try {
                handOut(temp.path(), out, cameOut);
            } catch (const IoError &) {
                // Put that version back rather than lose it; ours goes.
                if (::renameat2(AT_FDCWD, ours, AT_FDCWD, native.constData(), RENAME_EXCHANGE) == 0)
                    ::unlink(ours);
                throw;
            }
            syncParentFolder(target);
            return written;
        }
        if (errno == EINVAL || errno == ENOSYS)
            break;
        if (errno != ENOENT)
            fail(target, errno);
    }
#endif
    return replaceWithoutExchange(temp, written, target, cameOut);
}

bool isTemporaryName(const QString &fileName, QString *target)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)\\.jw-[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (match.hasMatch() && target)
        *target = match.captured(1);
    return match.hasMatch();
}

} // namespace jw
