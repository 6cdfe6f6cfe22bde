#pragma once

#include "pages/clsdata.h"
#include "pages/journal.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <future>

namespace jw {

class PageFiles;
namespace ui {
class RichTextEdit;
}

/// Keeps the current page safe while it is edited: journals unsaved text
/// about two seconds after the last edit (at most every 30 seconds while
/// typing goes on), drops the journal entry once the page is saved, and
/// shows a new version of the page file written elsewhere while the editor
/// has no unsaved edits, keeping the caret where it can.
class PageKeeper final : public QObject {
    Q_OBJECT

public:
    PageKeeper(clsData &data, ui::RichTextEdit &pad, const PageFiles &files, const RecoveryJournal &journal);
    ~PageKeeper() override;

    /// The editor shows another page (or the same page under another name).
    void pageShown();
    /// Saves the current page (see clsData::save). A page saved, or one
    /// without unsaved edits, leaves the journal.
    clsData::Saved save();
    /// What the user must hear of `saved` (a version kept aside, text
    /// saved beside a page file that cannot be read), or empty.
    QString saveNotice(const clsData::Saved &saved) const;
    /// One sentence on a journal write that failed.
    static QString journalFailureText(const QString &title, const QString &reason);
    /// Writes the current page's unsaved text to the journal now. Returns
    /// the entry's file, or empty with `error` set.
    QString journalNow(QString *error = nullptr);
    /// Drops the journal entry of `title` (a page renamed after it was saved).
    void forget(const QString &title);
    /// Puts the text of `entry` (a page now current) in the editor as
    /// unsaved edits starting from the page file's version the entry was
    /// made from, so a version written since is kept at the save. Throws
    /// jw::IoError when the entry cannot be read.
    void recover(const RecoveryJournal::Entry &entry);
    /// The journal entries of this folder for pages among `titles` whose
    /// text differs from their page file's, oldest first; the file times
    /// decide nothing. An entry that holds just what the page holds is dropped.
    QList<RecoveryJournal::Entry> recoverable(const QStringList &titles);

    const RecoveryJournal &journal() const { return m_journal; }
    /// The page folder the journal entries belong to.
    QString pageFolder() const;

Q_SIGNALS:
    /// The page file changed on disk; the editor still shows the page as it was.
    void aboutToReload();
    /// The page file changed on disk and the editor now shows the new version.
    void reloaded();
    /// Unsaved text could not be journaled (`reason`); said once until a
    /// journal write succeeds again.
    void journalFailed(const QString &title, const QString &reason);

private:
    void watch();
    void textChanged();
    /// Journals in the background: the page is taken from the editor here,
    /// written out and synced on a worker, so a big page does not stall typing.
    void journalSoon();
    void waitForJournal();
    void fileChanged();
    /// Records a journal write's outcome from the UI thread.
    void journalDone(const QString &title, const QString &error);
    /// Takes the background write's outcome once it has ended.
    void pollJournal();

    clsData &m_data;
    ui::RichTextEdit &m_pad;
    const PageFiles &m_files;
    const RecoveryJournal &m_journal;
    QTimer m_idle;    ///< two seconds after the last edit
    QTimer m_longest; ///< at most this long without a journal write while typing goes on
    QTimer m_settle;  ///< file events come in bursts
    QFileSystemWatcher m_watcher;
    /// Titles journaled by this run: only their entries go when a save
    /// succeeds. Older entries wait for the user's answer at start-up.
    QSet<QString> m_journaled;
    std::future<QString> m_writing; ///< the background journal write, if any; its error
    QString m_writingTitle;
    bool m_failureTold = false;
};

} // namespace jw
