#pragma once

#include "base/fileio.h"
#include "search/casefold.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <memory>

namespace jw::search {

/// The plain text of page files as the RTF reader gives it, kept while a
/// file stays as it was (same size, modification time and inode), so a
/// search as the user types reads each file once. Several threads may use
/// it at once. The least recently used texts go when the budget is spent.
class PlainTextCache final {
public:
    /// `budget` in UTF-16 units of text held.
    explicit PlainTextCache(qsizetype budget = qsizetype(48) << 20) : m_budget(budget) {}

    /// A page's plain text, and with `fold` its folding for searches without
    /// "Match case" (kept too: most searches are such).
    struct Page {
        QString text;
        std::shared_ptr<const FoldedText> folded;
    };

    /// The plain text of the page file at `path`; a missing file is an empty
    /// page. Throws jw::IoError with the reason when the file cannot be read.
    Page read(const QString &path, bool fold);
    QString text(const QString &path) { return read(path, false).text; }

    /// Lets go of every text held.
    void clear();
    /// UTF-16 units held.
    qsizetype held() const;
    /// How many times a text was read from its file rather than taken from here.
    quint64 reads() const;

private:
    struct Entry {
        FileStamp stamp;
        Page page;
        quint64 used = 0;
        qsizetype size() const { return page.text.size() + (page.folded ? page.folded->text().size() : 0); }
    };
    /// Keeps `page` of `path` as it was at `stamp`. Under m_mutex.
    void keep(const QString &path, const FileStamp &stamp, const Page &page);
    /// Drops the least recently used texts until the budget holds. Under m_mutex.
    void trim();

    const qsizetype m_budget;
    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    qsizetype m_held = 0;
    quint64 m_clock = 0;
    quint64 m_reads = 0;
};

} // namespace jw::search
