// The search across all pages on real page files: order, the shown page's
// unsaved text, removed and unreadable pages, the cache and cancelling.
#include "search/canceltoken.h"
#include "search/pagesearch.h"
#include "search/searcher.h"
#include "search/textcache.h"

#include "support/files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThreadPool>

#include <gtest/gtest.h>

using namespace jw::search;
using namespace Qt::StringLiterals;
using jwtest::here;
using jwtest::writeBytes;

namespace {

struct Listing {
    std::vector<PageHits> pages;
    SearchSummary summary;
    std::string titles() const
    {
        std::string out;
        for (const PageHits &p : pages)
            out += (out.empty() ? "" : " ") + p.title.toStdString() + (p.removed ? "(removed)" : "") + ':'
                   + (p.error.isEmpty() ? std::to_string(p.hits.size()) : "error");
        return out;
    }
};

SearchRequest request(const QString &query, const QStringList &tabs = {})
{
    SearchRequest r;
    r.query = query;
    r.tabs = tabs;
    return r;
}

Listing run(const SearchRequest &request, PlainTextCache &cache, QThreadPool *helpers = nullptr)
{
    Listing listing;
    listing.summary = searchPages(
        request, cache, CancelToken(), [&](PageHits &&p) { listing.pages.push_back(p); }, helpers);
    return listing;
}

TEST(PageSearch, ListsTabsInOrderThenRemovedPagesWithUnreadableOnesSaid)
{
    // "needle" split over three formatting runs, as a bold middle leaves it.
    writeBytes(here(u"A.rtf"_s), R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 one nee{\b dl}e, Needle\par})");
    writeBytes(here(u"B.rtf"_s), "needle saved in the file");
    writeBytes(here(u"Empty.rtf"_s), "");
    QDir().mkdir(here(u"Broken.rtf"_s)); // a folder where a page file should be
    writeBytes(here(u"Gone.rtf"_s), "an old needle");
    writeBytes(here(u"Other.txt"_s), "needle");

    SearchRequest request = ::request(u"needle"_s, {u"A"_s, u"B"_s, u"Empty"_s, u"Broken"_s, u"Missing"_s});
    request.shownTitle = u"B"_s;
    request.shownText = u"typed, not saved: NEEDLE needle"_s;
    PlainTextCache cache;
    const Listing listing = run(request, cache);
    ASSERT_EQ(listing.titles(), "A:2 B:2 Broken:error Gone(removed):1"); // four pages
    EXPECT_EQ(std::tuple(listing.pages[0].text.mid(listing.pages[0].hits[0].start, 6), listing.pages[1].shown,
                         listing.pages[1].hits[0].start, listing.pages[2].error.isEmpty(), listing.pages[3].order),
              std::tuple(u"needle"_s, true, 18, false, 5));
    EXPECT_EQ(std::tuple(listing.summary.pages, listing.summary.hits, listing.summary.unreadable), std::tuple(6, 5, 1));

    request.withRemoved = false;
    request.options.matchCase = true;
    EXPECT_EQ(run(request, cache).titles(), "A:1 B:1 Broken:error");
}

TEST(PageSearch, ReadsAFileAgainOnlyWhenItChanged)
{
    writeBytes(here(u"A.rtf"_s), "one needle");
    writeBytes(here(u"B.rtf"_s), "no hit");
    const SearchRequest request = ::request(u"needle"_s, {u"A"_s, u"B"_s});
    PlainTextCache cache;
    readAhead(request, cache, CancelToken());
    EXPECT_EQ(cache.reads(), 2u);
    EXPECT_EQ(run(request, cache).titles() + run(request, cache).titles(), "A:1A:1");
    EXPECT_EQ(cache.reads(), 2u);
    // Same size, so only the stamp's time and inode tell the new version apart.
    writeBytes(here(u"B.tmp"_s), "needle");
    QFile::remove(here(u"B.rtf"_s));
    QFile::rename(here(u"B.tmp"_s), here(u"B.rtf"_s));
    EXPECT_EQ(run(request, cache).titles(), "A:1 B:1");
    EXPECT_EQ(cache.reads(), 3u);
    const qsizetype held = cache.held();
    cache.clear(); // both are read again
    run(request, cache);
    EXPECT_EQ(std::pair(cache.reads(), cache.held()), std::pair(quint64(5), held));

    PlainTextCache small(12); // a text (with its folding) over the budget is read but not kept
    run(request, small);
    EXPECT_EQ(small.held(), 12);
    PlainTextCache room(held - 1); // room for either page, not both: each read puts the other out
    run(request, room);
    run(request, room);
    EXPECT_EQ(std::pair(room.reads(), room.held() < held), std::pair(quint64(4), true));
}

TEST(PageSearch, HandsOnPagesInOrderWhileHelpersReadAheadAndStopsWhenCancelled)
{
    SearchRequest request = ::request(u"hit"_s);
    for (int i = 0; i < 60; ++i) {
        request.tabs << QString::number(i);
        writeBytes(here(QString::number(i) + u".rtf"_s), QByteArray(qsizetype(i) * 500, 'x') + " hit");
    }
    PlainTextCache cache;
    QThreadPool pool;
    const Listing listing = run(request, cache, &pool);
    ASSERT_EQ(listing.pages.size(), 60u);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(listing.pages[std::size_t(i)].order, i);

    const CancelToken cancel;
    int handed = 0;
    const SearchSummary summary = searchPages(
        request, cache, cancel,
        [&](PageHits &&) {
            if (++handed == 3)
                cancel.cancel();
        },
        &pool);
    EXPECT_EQ(handed, 3);
    EXPECT_TRUE(summary.cancelled);
}

TEST(Searcher, ANewSearchDropsTheResultsOfTheOneUnderWay)
{
    SearchRequest old = request(u"old"_s);
    for (int i = 0; i < 200; ++i) {
        old.tabs << QString::number(i);
        writeBytes(here(QString::number(i) + u".rtf"_s), "old");
    }
    writeBytes(here(u"N.rtf"_s), "new");
    Searcher searcher;
    QStringList found;
    std::optional<SearchSummary> summary;
    QObject::connect(&searcher, &Searcher::pageFound, [&](const PageHits &p) { found << p.title; });
    QObject::connect(&searcher, &Searcher::finished, [&](const SearchSummary &s) { summary = s; });
    searcher.start(old);
    searcher.start(request(u"new"_s, old.tabs << u"N"_s));
    EXPECT_TRUE(searcher.busy()); // until its end is delivered here
    for (QDeadlineTimer deadline(20000); !summary && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(summary);
    EXPECT_EQ(std::pair(found, summary->hits), std::pair(QStringList{u"N"_s}, qint64(1)));
    EXPECT_FALSE(searcher.busy());
}

} // namespace
