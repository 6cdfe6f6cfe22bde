#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

/// Replaces `path` with `data` atomically and durably: the bytes go to a
/// temporary file in the same folder, are flushed to disk and then renamed
/// over the old file. On any failure the old file stays as it was and
/// jw::IoError is thrown with the operating system's reason.
void writeFileAtomically(const QString &path, QByteArrayView data);

/// Copies the regular file `from` over `to` with the bytes unchanged,
/// replacing `to` atomically in the same way as writeFileAtomically.
/// Throws jw::IoError.
void copyFileAtomically(const QString &from, const QString &to);

} // namespace jw
