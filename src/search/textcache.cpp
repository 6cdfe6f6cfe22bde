#include "search/textcache.h"

#include "richtext/rtffile.h"

#include <QMutexLocker>

namespace jw::search {

QString PlainTextCache::text(const QString &path)
{
    // The stamp is taken before the file is read: a file changed meanwhile
    // gets another stamp next time and is read again, never kept stale.
    const FileStamp stamp = fileStamp(path);
    if (!stamp.exists)
        return {};
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_entries.find(path);
        if (found != m_entries.end() && found->stamp == stamp) {
            found->used = ++m_clock;
            return found->text;
        }
    }
    // Read outside the lock, so two threads read two files at once.
    const rtf::Document page = loadRtfFile(path);
    QString text(reinterpret_cast<const QChar *>(page.text.data()), qsizetype(page.text.size()));

    QMutexLocker lock(&m_mutex);
    ++m_reads;
    if (text.size() > m_budget)
        return text;
    Entry &entry = m_entries[path];
    m_held += text.size() - entry.text.size();
    entry = {stamp, text, ++m_clock};
    trim();
    return text;
}

void PlainTextCache::trim()
{
    while (m_held > m_budget && !m_entries.isEmpty()) {
        auto oldest = m_entries.begin();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->used < oldest->used)
                oldest = it;
        }
        m_held -= oldest->text.size();
        m_entries.erase(oldest);
    }
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
