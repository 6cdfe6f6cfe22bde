#include "search/searcher.h"

#include <QThread>

namespace jw::search {

Searcher::Searcher(QObject *parent) : QObject(parent)
{
    // One thread runs a search, another reads pages ahead for it; a second
    // search may start while a cancelled one finishes the page it reads.
    m_pool.setMaxThreadCount(std::max(3, QThread::idealThreadCount() + 1));
    // Results cross to this object's thread, where a later search has made
    // the generation count differ when they are stale.
    connect(
        this, &Searcher::pageReady, this,
        [this](quint64 generation, const PageHits &page) {
            if (generation == m_generation)
                Q_EMIT pageFound(page);
        },
        Qt::QueuedConnection);
    connect(
        this, &Searcher::searchDone, this,
        [this](quint64 generation, const SearchSummary &summary) {
            if (generation != m_generation)
                return;
            m_busy = false;
            Q_EMIT finished(summary);
        },
        Qt::QueuedConnection);
}

Searcher::~Searcher()
{
    m_readAhead.cancel();
    m_cancel.cancel();
    m_pool.waitForDone();
}

void Searcher::cancel()
{
    m_cancel.cancel();
    ++m_generation;
    m_busy = false;
}

void Searcher::readAhead(SearchRequest request)
{
    m_readAhead.cancel();
    m_readAhead = CancelToken();
    m_pool.start(
        [this, cancel = m_readAhead, request = std::move(request)] { search::readAhead(request, m_cache, cancel); });
}

void Searcher::start(SearchRequest request)
{
    // The search reads what is left itself, on all threads.
    m_readAhead.cancel();
    cancel();
    m_cancel = CancelToken();
    m_busy = true;
    m_pool.start([this, generation = m_generation, cancel = m_cancel, request = std::move(request)] {
        const SearchSummary summary = searchPages(
            request, m_cache, cancel, [&](PageHits &&page) { Q_EMIT pageReady(generation, page, QPrivateSignal()); },
            &m_pool);
        Q_EMIT searchDone(generation, summary, QPrivateSignal());
    });
}

} // namespace jw::search
