#pragma once

#include "richtext/richtext.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

namespace jw {

class RecoveryJournal;

/// The page history: every version of a page that a write replaced, kept
/// outside the pages folder (which sync tools may share) as ordinary RTF
/// files, one folder per pages folder and page:
///   <root>/<folder name>-<hash of its path>/<title>-<hash of the title>/
///   <UTC time> <reason>.rtf
/// The hashes keep two pages folders, or titles that differ only in
/// characters a file name cannot hold, apart; folder.txt and title.txt say
/// whose versions they are. A version's time is when it was kept, that is
/// when it was replaced (by the clock given), so the list runs in the order
/// things happened to the page.
/// Every method is safe to call from a worker thread. Failures throw IoError.
class PageHistory final {
public:
    /// Why a version was kept: what replaced it.
    enum class Reason { Saved, Reloaded, Restored, SavedAs, Renamed, Removed, Recovery };

    struct Version {
        QString file;
        QDateTime time; ///< when it was kept, UTC
        qint64 size = 0;
        Reason reason = Reason::Saved;
    };

    /// A page with a history.
    struct Page {
        QString title;
        QDateTime newest;
    };

    using Clock = std::function<QDateTime()>;

    /// `root` empty: $XDG_STATE_HOME/jotwell/history (~/.local/state/... when
    /// unset or relative). `clock` empty: the system clock.
    explicit PageHistory(QString root = {}, Clock clock = {});

    QString root() const { return m_root; }
    /// The time by the history's clock.
    QDateTime now() const { return m_clock(); }
    /// Where the versions of `title` in `pagesFolder` are kept.
    QString pageFolder(const QString &pagesFolder, const QString &title) const;
    /// Where the places of the pages of `pagesFolder` (caret, view) are
    /// kept: beside the history, one file per pages folder.
    QString placesFile(const QString &pagesFolder) const;

    /// Keeps the file at `path` as a version of `title`: a hard link when
    /// `mayLink` (the caller replaces the file by rename, so its old content
    /// never changes) and the file system allows it, else a copy. Returns
    /// the version's file; empty when the file was empty, missing, or
    /// identical to the version before it.
    QString keepFile(const QString &pagesFolder, const QString &title, const QString &path, Reason reason,
                     bool mayLink) const;
    /// Links `path` in as a version; empty when the file system cannot
    /// (nothing was done) or there is nothing to keep. See settle().
    QString linkIn(const QString &pagesFolder, const QString &title, const QString &path, Reason reason) const;
    /// Copies what `source` holds (from its start) as a version kept at `time`. See settle().
    QString copyIn(const QString &pagesFolder, const QString &title, QIODevice &source, const QDateTime &time,
                   Reason reason) const;
    /// Drops `file` when it is identical to the version before it; returns
    /// the file, or empty when it went.
    QString settle(const QString &file) const;
    /// Keeps a page as a version.
    QString keepPage(const QString &pagesFolder, const QString &title, const rtf::Document &page, Reason reason) const;

    /// The versions of `title`, newest first; with `journal`, its recovery
    /// entries for the page (waiting or declined) as versions too.
    QList<Version> versions(const QString &pagesFolder, const QString &title,
                            const RecoveryJournal *journal = nullptr) const;
    /// The pages of `pagesFolder` that have a history, newest first.
    QList<Page> pages(const QString &pagesFolder) const;
    /// The page a version holds. Throws IoError.
    static rtf::Document read(const Version &version);

    /// Thins every page's versions by age (see thinning::keepByAge), then
    /// the oldest of all until they fit in `sizeLimit` bytes. Stops between
    /// pages when `stop` is set. Returns how many versions went.
    int thin(qint64 sizeLimit, const std::atomic<bool> *stop = nullptr) const;

    /// The sizes of all versions together.
    qint64 totalSize() const;

private:
    QString foldersFolder(const QString &pagesFolder) const;
    QString ensurePageFolder(const QString &pagesFolder, const QString &title) const;
    static QString freeName(const QString &folder, const QDateTime &time, Reason reason);

    QString m_root;
    Clock m_clock;
};

} // namespace jw
