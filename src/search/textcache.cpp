#include "search/textcache.h"

#include "richtext/rtffile.h"

#include <QMutexLocker>

namespace jw::search {

PlainTextCache::Page PlainTextCache::read(const QString &path, bool fold)
{
    // The stamp is taken before the file is read: a file changed meanwhile
    // gets another stamp next time and is read again, never kept stale.
    const FileStamp stamp = fileStamp(path);
    if (!stamp.exists) {
        // An empty page, folded too when asked: callers take the folded text as given.
        Page empty;
        if (fold)
            empty.folded = std::make_shared<const FoldedText>(empty.text);
        return empty;
    }
    Page page;
    bool read = true;
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_entries.find(path);
        if (found != m_entries.end() && found->stamp == stamp) {
            found->used = ++m_clock;
            page = found->page;
            read = false;
        }
    }
    // Read and fold outside the lock, so two threads read two files at once.
    if (read) {
        const rtf::Document document = loadRtfFile(path);
        page.text = QString(reinterpret_cast<const QChar *>(document.text.data()), qsizetype(document.text.size()));
    }
    if (fold && !page.folded)
        page.folded = std::make_shared<const FoldedText>(page.text);
    else if (!read)
        return page;

    QMutexLocker lock(&m_mutex);
    m_reads += read ? 1 : 0;
    keep(path, stamp, page);
    return page;
}

void PlainTextCache::keep(const QString &path, const FileStamp &stamp, const Page &page)
{
    Entry entry{stamp, page, ++m_clock};
    if (entry.size() > m_budget)
        return;
    Entry &kept = m_entries[path];
    m_held += entry.size() - kept.size();
    kept = std::move(entry);
    trim();
}

void PlainTextCache::trim()
{
    while (m_held > m_budget && !m_entries.isEmpty()) {
        auto oldest = m_entries.begin();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->used < oldest->used)
                oldest = it;
        }
        m_held -= oldest->size();
        m_entries.erase(oldest);
    }
}

void PlainTextCache::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
    m_held = 0;
}

qsizetype PlainTextCache::held() const
{
    QMutexLocker lock(&m_mutex);
    return m_held;
}

quint64 PlainTextCache::reads() const
{
    QMutexLocker lock(&m_mutex);
    return m_reads;
}

} // namespace jw::search
