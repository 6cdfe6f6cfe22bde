#include "search/pagesearch.h"

#include "pages/titlerules.h"
#include "search/canceltoken.h"
#include "search/textcache.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace jw::search {
namespace {

struct Target {
    QString title;
    bool removed = false;
};

std::vector<Target> targets(const SearchRequest &request)
{
    std::vector<Target> list;
    for (const QString &title : request.tabs)
        list.push_back({title, false});
    if (!request.withRemoved)
        return list;
    // The pages "Restore Removed Page..." offers (removedPages()), newest
    // first. Only those are asked for their time: listing a thousand pages
    // sorted by time, and comparing each with every tab, takes most of a second.
    const QLocale locale;
    QSet<QString> shown;
    for (const QString &title : request.tabs)
        shown.insert(locale.toLower(title));
    std::vector<std::pair<QDateTime, QString>> removed;
    const QDir folder(request.files.folder());
    for (const QString &name : folder.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::NoSort)) {
        const QString title = name.chopped(4);
        if (!shown.contains(locale.toLower(title)) && checkTitle(title) == TitleProblem::None)
            removed.emplace_back(QFileInfo(folder, name).lastModified(), title);
    }
    std::stable_sort(removed.begin(), removed.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (const auto &[time, title] : removed)
        list.push_back({title, true});
    return list;
}

/// The pages of one search and the results not yet handed on, shared by
/// the thread that hands them on in order and the helpers that read ahead.
class Work final {
public:
    Work(const SearchRequest &request, PlainTextCache &cache, const CancelToken &cancel)
        : m_request(request), m_cache(cache), m_cancel(cancel), m_matcher(request.query, request.options),
          m_targets(targets(request)), m_results(m_targets.size()), m_shown(request.tabs.indexOf(request.shownTitle))
    {}

    int size() const { return int(m_targets.size()); }

    /// Searches the next page no thread has taken; false when none is left
    /// or the search is cancelled.
    bool runOne()
    {
        const int i = m_next++;
        if (i >= size() || m_cancel.cancelled())
            return false;
        PageHits page = search(i);
        std::lock_guard lock(m_mutex);
        m_results[std::size_t(i)] = std::move(page);
        m_changed.notify_all();
        return true;
    }

    bool ready(int i)
    {
        std::lock_guard lock(m_mutex);
        return m_results[std::size_t(i)].has_value();
    }

    /// The result of page `i`, waiting for the thread that has it; nothing once cancelled.
    std::optional<PageHits> take(int i)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_results[std::size_t(i)].has_value() || m_cancel.cancelled(); });
        return std::exchange(m_results[std::size_t(i)], std::nullopt);
    }

    /// A helper thread's share: pages until none is left.
    void help()
    {
        while (runOne()) {
        }
        std::lock_guard lock(m_mutex);
        --m_helpers;
        m_changed.notify_all();
    }

    /// Starts a helper on `pool` when it has a thread free now.
    void startHelper(QThreadPool &pool)
    {
        std::lock_guard lock(m_mutex);
        ++m_helpers;
        if (!pool.tryStart([this] { help(); }))
            --m_helpers;
    }

    /// Returns once no helper works on this search any more.
    void waitForHelpers()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_helpers == 0; });
    }

private:
    PageHits search(int i)
    {
        const Target &target = m_targets[std::size_t(i)];
        PageHits page;
        page.order = i;
        page.title = target.title;
        page.removed = target.removed;
        if (i == m_shown) {
            page.shown = true;
            page.text = m_request.shownText;
            page.hits = m_matcher.findAll(page.text, &m_cancel);
            return page;
        }
        try {
            const bool fold = !m_request.options.matchCase;
            const PlainTextCache::Page read = m_cache.read(m_request.files.path(pageFileName(target.title)), fold);
            page.text = read.text;
            page.hits =
                fold ? m_matcher.findAll(page.text, *read.folded, &m_cancel) : m_matcher.findAll(page.text, &m_cancel);
        } catch (const IoError &error) {
            page.error = error.reason();
        }
        return page;
    }

    const SearchRequest &m_request;
    PlainTextCache &m_cache;
    const CancelToken &m_cancel;
    const Matcher m_matcher;
    const std::vector<Target> m_targets;
    std::vector<std::optional<PageHits>> m_results;
    const qsizetype m_shown;
    std::atomic_int m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_helpers = 0; ///< helper threads at work
};

} // namespace

void readAhead(const SearchRequest &request, PlainTextCache &cache, const CancelToken &cancel)
{
    for (const Target &target : targets(request)) {
        if (cancel.cancelled())
            return;
        try {
            cache.read(request.files.path(pageFileName(target.title)), true);
        } catch (const IoError &) {
            // The search says so when it comes to the page.
        }
    }
}

SearchSummary searchPages(const SearchRequest &request, PlainTextCache &cache, const CancelToken &cancel,
                          const std::function<void(PageHits &&)> &found, QThreadPool *helpers)
{
    SearchSummary summary;
    if (request.query.isEmpty())
        return summary;
    Work work(request, cache, cancel);
    if (helpers && work.size() > 1)
        work.startHelper(*helpers);

    int handed = 0;
    auto handOn = [&](std::optional<PageHits> page) {
        ++handed;
        if (!page)
            return;
        ++summary.pages;
        summary.unreadable += page->error.isEmpty() ? 0 : 1;
        if (page->hits.empty() && page->error.isEmpty())
            return;
        summary.pagesWithHits += page->hits.empty() ? 0 : 1;
        summary.hits += qsizetype(page->hits.size());
        found(std::move(*page));
    };
    // This thread searches too, and hands on in order whatever is done.
    do {
        while (handed < work.size() && !cancel.cancelled() && work.ready(handed))
            handOn(work.take(handed));
    } while (work.runOne());
    while (handed < work.size() && !cancel.cancelled())
        handOn(work.take(handed));
    work.waitForHelpers();
    summary.cancelled = cancel.cancelled();
    return summary;
}

} // namespace jw::search
