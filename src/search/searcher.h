#pragma once

#include "search/canceltoken.h"
#include "search/pagesearch.h"
#include "search/textcache.h"

#include <QObject>
#include <QThreadPool>

namespace jw::search {

/// Runs searches across all pages off the user-interface thread, one at a
/// time: a new search cancels the one under way, whose results are then
/// never reported. Results arrive on the thread that owns the searcher.
class Searcher final : public QObject {
    Q_OBJECT

public:
    explicit Searcher(QObject *parent = nullptr);
    /// Cancels the search under way and waits for its threads.
    ~Searcher() override;

    /// Starts `request` in place of any search under way.
    void start(SearchRequest request);
    /// Stops the search under way; nothing more is reported of it.
    void cancel();
    /// Reads the pages of `request` into the cache meanwhile (readAhead()),
    /// until the next search starts.
    void readAhead(SearchRequest request);
    /// True from start() until finished() or cancel().
    bool busy() const { return m_busy; }

    /// The page texts read so far, kept while their files stay unchanged.
    PlainTextCache &cache() { return m_cache; }

Q_SIGNALS:
    /// A page with hits, or one that could not be read, in listing order.
    void pageFound(const jw::search::PageHits &page);
    /// The search has looked at every page.
    void finished(const jw::search::SearchSummary &summary);

    /// From the search's thread: a page of search `generation`, queued to this object's thread.
    void pageReady(quint64 generation, const jw::search::PageHits &page, QPrivateSignal);
    /// From the search's thread: search `generation` is over.
    void searchDone(quint64 generation, const jw::search::SearchSummary &summary, QPrivateSignal);

private:
    QThreadPool m_pool;
    PlainTextCache m_cache;
    CancelToken m_cancel;
    CancelToken m_readAhead;
    quint64 m_generation = 0; ///< of the search whose results count
    bool m_busy = false;
};

} // namespace jw::search
