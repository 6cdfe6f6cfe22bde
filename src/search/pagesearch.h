#pragma once

#include "pages/pagefiles.h"
#include "search/matcher.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QThreadPool;

namespace jw::search {

class CancelToken;
class PlainTextCache;

/// One search across all pages, as the panel hands it to a worker thread.
struct SearchRequest {
    QString query;
    Options options;
    PageFiles files;         ///< the page folder
    QStringList tabs;        ///< the pages' titles in tab order
    QString shownTitle;      ///< the page the editor shows ...
    QString shownText;       ///< ... and its plain text there, unsaved edits and all
    bool withRemoved = true; ///< also the page files that are in no tab
};

/// What one page gave.
struct PageHits {
    int order = 0; ///< place in the listing: tabs first, then removed pages
    QString title;
    bool removed = false; ///< a page file in no tab
    bool shown = false;   ///< searched in the editor, not in its file
    QString text;         ///< the plain text the hits are positions in
    std::vector<Hit> hits;
    QString error; ///< why the page could not be read
};

/// How a search went.
struct SearchSummary {
    int pages = 0; ///< pages searched
    int pagesWithHits = 0;
    qsizetype hits = 0;
    int unreadable = 0;
    bool cancelled = false;
};

/// Searches the pages of `request`: the tabs in order (the shown page in
/// its unsaved state), then the page files in no tab, newest first. Every
/// page with hits, and every page that cannot be read, goes to `found` in
/// that order. Other pages are read through `cache`. Up to `helpers`' threads
/// read pages ahead meanwhile. Stops early once `cancel` is set.
SearchSummary searchPages(const SearchRequest &request, PlainTextCache &cache, const CancelToken &cancel,
                          const std::function<void(PageHits &&)> &found, QThreadPool *helpers = nullptr);

/// Reads the page files of `request` (tabs, then removed pages) into
/// `cache`, folded for searches without "Match case", until `cancel` is set:
/// while the user types the first query, so that its search finds them read.
void readAhead(const SearchRequest &request, PlainTextCache &cache, const CancelToken &cancel);

} // namespace jw::search
