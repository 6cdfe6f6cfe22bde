#pragma once

#include "base/fileio.h"
#include "richtext/richtext.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace jw {

/// The recovery journal: unsaved text of pages, kept outside the page files
/// so that a crash, a power cut or a kill loses at most seconds of typing.
/// One entry per page (its folder and title), replaced atomically at each
/// write, removed once the page is saved. Entries the user declined are
/// moved aside, never deleted without the user's yes.
class RecoveryJournal final {
public:
    /// One page's unsaved text on disk.
    struct Entry {
        QString file;       ///< the entry's own file
        QString pageFolder; ///< the page folder, absolute
        QString title;
        QDateTime time; ///< when the text was journaled
        /// The version of the page file the text started from; unknown in entries of older copies.
        std::optional<FileStamp> base = std::nullopt;
    };

    /// `folder` empty: $XDG_STATE_HOME/jotwell/recovery (~/.local/state/... when unset).
    explicit RecoveryJournal(QString folder = {});

    QString folder() const { return m_folder; }

    /// Writes the unsaved `page` of `title` in `pageFolder`, which started
    /// from the version `base` of its page file; returns the entry's file.
    /// Throws jw::IoError when it cannot be written.
    QString record(const QString &pageFolder, const QString &title, const rtf::Document &page,
                   const QDateTime &time = QDateTime::currentDateTime(), const FileStamp &base = {}) const;
    /// Removes the entry of a page that has been saved (nothing when there is none).
    void discard(const QString &pageFolder, const QString &title) const;

    /// The entries of `pageFolder`, oldest first; unreadable entries are left out.
    QList<Entry> entries(const QString &pageFolder) const;
    /// The page text of an entry. Throws jw::IoError.
    rtf::Document read(const Entry &entry) const;
    /// Moves an entry the user declined into the "declined" folder beside the journal.
    void setAside(const Entry &entry) const;

    /// The entry file name of a page.
    QString entryFile(const QString &pageFolder, const QString &title) const;

private:
    QString m_folder;
};

} // namespace jw
