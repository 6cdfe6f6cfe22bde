#pragma once

#include "richtext/richtext.h"
#include "base/fileio.h"
#include "base/ioerror.h"

#include <QFileInfoList>
#include <QString>

namespace jw {

class RecoveryJournal;
class SettingsStore;

/// The page file of a title: the title unchanged, followed by ".rtf".
QString pageFileName(const QString &title);

/// File services over one folder (the process's current folder in the
/// program, a temporary folder in tests). Every name is a bare file name in
/// that folder: a name with a path separator or an absolute path, which
/// would resolve elsewhere, is refused with IoError. Failures throw IoError
/// carrying the operating system's reason.
class PageFiles final {
public:
    /// `folder` empty means the current folder, resolved at each call.
    explicit PageFiles(QString folder = {});

    /// The folder, absolute.
    QString folder() const;
    /// The page files of the folder ("*.rtf"), newest first.
    QFileInfoList pageFileInfos() const;

    /// Full path of `name` in the folder; throws IoError for names outside it.
    QString path(const QString &name) const;

    bool fileExists(const QString &name) const;
    /// Directory lookup of one name: the name when such a file exists, else empty.
    QString lookup(const QString &name) const;
    /// Creates an empty file (replacing nothing when it exists is the caller's test).
    void createEmpty(const QString &name) const;
    /// Copies `from` over `to`, bytes unchanged, replacing `to`.
    void copyOver(const QString &from, const QString &to) const;
    void remove(const QString &name) const;
    /// Gives the file `from` the name `to`, which may differ only in letter case.
    void rename(const QString &from, const QString &to) const;
    /// Whether both names reach one file (a case-insensitive file system).
    bool sameFile(const QString &a, const QString &b) const;
    /// Removes a file this program made and no longer wants; a failure is only logged.
    void discard(const QString &name) const;

    /// Reads a page file; a 0-byte file is an empty page.
    rtf::Document readPage(const QString &name) const;
    /// Writes a page file atomically: on any failure the old file stays intact.
    /// Returns the stamp of the file written.
    FileStamp writePage(const QString &name, const rtf::Document &doc) const;
    /// Writes a page file by exchanging it with the one in place (see
    /// jw::exchangeFile); `cameOut` gets the version it replaced.
    FileStamp replacePage(const QString &name, const rtf::Document &doc, const DisplacedHandler &cameOut) const;
    /// Gives the file at `from` (a path, in this folder) the free name `to`;
    /// an existing `to` is never replaced.
    void moveIn(const QString &from, const QString &to) const;

    /// The stamp of `name` as it is now (see jw::FileStamp).
    FileStamp stamp(const QString &name) const;

    /// Creates the page file empty when it is missing (the file side of loadData).
    void ensureExists(const QString &name) const;

private:
    QString m_folder;
};

/// Removes what saves interrupted by a crash left in the folder: this
/// program's temporary files ("<page>.rtf.jw-XXXXXX") whose page file is
/// newer or reads as a whole page, and whose text the page file or the
/// page's `journal` entry holds too (for a write cut short: their text
/// starts with it). Others stay:
/// a version another program wrote that a save took out of its place, or
/// the last words typed before a crash. Returns the names removed.
QStringList removeLeftovers(const PageFiles &files, const RecoveryJournal &journal);

/// Converts old page files: for every page list entry, first to last, a
/// title + ".dat" file is copied over title + ".rtf" and then deleted.
/// The first failure ends the conversion (the IoError propagates).
void ConvertDatPages(const SettingsStore &store, const PageFiles &files);

} // namespace jw
