#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace jw {

/// What identifies one version of a file: replaced, rewritten or removed
/// files get another stamp. A missing file has the default stamp.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; ///< modification time, nanoseconds since the epoch
    quint64 fileId = 0;    ///< the inode, which a sync tool's rename-over changes
    bool operator==(const FileStamp &) const = default;
};

/// The stamp of the file at `path` as it is now.
FileStamp fileStamp(const QString &path);

/// Reads the whole of the regular file `path`. Directories, pipes and
/// devices are refused rather than read. Throws jw::IoError with the
/// operating system's reason.
QByteArray readWholeFile(const QString &path);
/// The same, a piece at a time: `more` hears the bytes read so far after
/// each piece, and the read ends early (returning what it has) when it
/// answers false.
QByteArray readWholeFile(const QString &path, const std::function<bool(qint64 read)> &more);

/// Replaces `path` with `data` atomically and durably: the bytes go to a
/// temporary file in the same folder (see isTemporaryName), are flushed to
/// disk and then renamed over the old file. On any failure the old file
/// stays as it was and jw::IoError is thrown with the operating system's
/// reason. Returns the stamp of the file written.
FileStamp writeFileAtomically(const QString &path, QByteArrayView data);

/// Copies the regular file `from` over `to` with the bytes unchanged,
/// replacing `to` atomically in the same way as writeFileAtomically.
/// Throws jw::IoError.
void copyFileAtomically(const QString &from, const QString &to);

/// The version of a file that a replace took out of its place.
struct Displaced {
    QString path;    ///< where it is now: a temporary name beside the file
    FileStamp stamp; ///< its stamp, as it was in place
};

/// Gets the version a replace took out while it still exists. Returns true
/// when it took the file away or keeps it; otherwise the file is removed.
/// It should not throw: an exchange is then undone where it can be, but a
/// file system without exchange has already put the new file in place.
using DisplacedHandler = std::function<bool(const Displaced &)>;

/// Replaces `path` with `data` so that no other version can slip in
/// unseen: the bytes are written and flushed beside it, then exchanged with
/// whatever is in place in one step, and `cameOut` is shown exactly the
/// version that was replaced (not called when there was none). Where the
/// file system cannot exchange, the version in place is linked aside first
/// and the new file renamed over it, which leaves a short gap (logged once).
/// Returns the stamp of the file written. Throws jw::IoError with the old
/// file in place.
FileStamp exchangeFile(const QString &path, QByteArrayView data, const DisplacedHandler &cameOut);

/// Whether `fileName` is a temporary name of this program's writes, and if so
/// the name of the file it was meant to replace.
bool isTemporaryName(const QString &fileName, QString *target = nullptr);

} // namespace jw
