#pragma once

#include "base/settingsnames.h"
#include "base/settingsstore.h"
#include "richtext/richtext.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace jw {

class PageFiles;

/// The page titles in tab order from stored entries, read forgivingly: the
/// entries with a position (a number from 1 up) in position order, then the
/// ones whose position is taken already or is not a number, in file order.
/// Entries without a title are left out, so no tab is ever nameless.
QStringList pageOrder(const SettingsEntries &entries);

/// The page list entries for `titles` in tab order: positions 1 to N.
SettingsEntries numberedPageList(const QStringList &titles);

/// Index (1-based) of the first title that is the same as `title` ignoring
/// case (sameTitle()); 0 when there is none.
int findDuplicate(const QStringList &titles, const QString &title);

/// A page file that is in no tab: a removed page, or one copied in.
struct StoredPage {
    QString title;
    QDateTime modified;
    bool operator==(const StoredPage &) const = default;
};

/// The page files of the folder that no tab shows (in any letter case),
/// newest first: what "Restore Removed Page..." offers.
QList<StoredPage> removedPages(const PageFiles &files, const QStringList &tabs);

/// What a page-list operation did, for the window to show.
struct PageResult {
    enum class Status { Done, Refused, Failed };
    Status status = Status::Done;
    QString message;    ///< one sentence for a message box; may be set when Done, too
    QString caption;    ///< the message box's title; empty for the program's title
    QStringList titles; ///< the page list in tab order after the operation
    QString title;      ///< the title added or given, as stored (trimmed)
    bool done() const { return status == Status::Done; }
};

/// The page list operations. Each reads the stored list under the settings
/// lock, computes positions from it and writes it back in one atomic write,
/// so two running copies never give two pages one position.
class PageList final {
public:
    PageList(SettingsStore &store, const PageFiles &files) : m_store(store), m_files(files) {}

    /// The page list at start: two default pages when it is empty, positions
    /// renumbered 1 to N when the stored ones were not. A list that cannot
    /// be written is still shown. Titles that cannot be file names are left
    /// out of what is shown (see leftOut) and kept in the stored list.
    QStringList load();
    /// The titles the last load left out.
    const QStringList &leftOut() const { return m_leftOut; }
    /// One sentence naming the titles left out; empty when there are none.
    static QString leftOutText(const QStringList &titles);

    /// Appends page `typed` (trimmed) as the last page and creates its file
    /// empty unless a file of that name exists (its text comes back). `tabs`
    /// are the captions shown, which the title must not repeat in any letter case.
    PageResult add(const QString &typed, const QStringList &tabs);

    /// Gives the page `oldTitle` the title `typed` (trimmed) in the same place
    /// and writes `page` to the new title's file, which must not exist yet;
    /// a change of letter case only renames the page's own file.
    PageResult rename(const QString &oldTitle, const QString &typed, const QStringList &tabs,
                      const rtf::Document &page);

    /// Writes the page list in the order of `titles` (positions 1 to N);
    /// stored pages missing from `titles` keep their order after them.
    PageResult reorder(const QStringList &titles);

    /// Takes page `title` out of the list; the pages after it move up. Its file stays.
    PageResult remove(const QString &title);

private:
    /// Writes the renamed page to its file; a refusal or failure, or nothing.
    std::optional<PageResult> writeRenamed(const QString &oldTitle, const QString &newTitle, const rtf::Document &page);
    /// Takes back what writeRenamed did when the page list could not follow.
    void undoRenamedFile(const QString &oldTitle, const QString &newTitle);

    SettingsStore &m_store;
    const PageFiles &m_files;
    QStringList m_leftOut;
};

} // namespace jw
