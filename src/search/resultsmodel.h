#pragma once

#include "search/pagesearch.h"

#include <QAbstractListModel>

#include <optional>
#include <vector>

namespace jw::search {

/// The results of a search as one list: a heading row per page (title and
/// number of hits, or why it could not be read), its hits below it, and the
/// pages in no tab after a heading of their own. Hit rows are worded when
/// shown, from the page's text, so a hundred thousand hits cost little.
class ResultsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    /// What a row is.
    enum class Kind { Page, Removed, Hit };
    /// Roles beyond Qt's.
    enum Role {
        KindRole = Qt::UserRole + 1, ///< Kind as int
        MarkStartRole,               ///< where the hit is in the row's text
        MarkLengthRole,
    };

    /// A hit by page (its place in the list of pages with results) and number on that page.
    struct HitRef {
        int page = 0;
        int hit = 0;
        bool operator==(const HitRef &) const = default;
    };

    explicit ResultsModel(QObject *parent = nullptr);

    /// Empties the list for a new search.
    void clear();
    /// Adds the next pages of a search (pages arrive in listing order).
    void addPages(std::vector<PageHits> pages);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const std::vector<PageHits> &pages() const { return m_pages; }
    qsizetype hitCount() const { return m_hits; }
    const PageHits &page(const HitRef &ref) const { return m_pages[std::size_t(ref.page)]; }
    Hit hit(const HitRef &ref) const { return page(ref).hits[std::size_t(ref.hit)]; }

    /// The hit shown in `row`, if it shows one.
    std::optional<HitRef> hitAt(int row) const;
    /// The row that shows `ref`.
    int rowOf(const HitRef &ref) const;
    /// The hit `step` hits after `from` (before it when negative), across
    /// pages, without wrapping; the first (or last) hit without `from`.
    std::optional<HitRef> step(std::optional<HitRef> from, int step) const;
    /// The first hit at or after `row`, else the last hit before it.
    std::optional<HitRef> nearestHit(int row) const;

private:
    /// The page shown in `row` and its heading's row, for any row.
    std::pair<int, int> pageOfRow(int row) const;
    /// The `n`th hit of the list, counted from 0.
    std::optional<HitRef> hitNumber(qsizetype n) const;

    std::vector<PageHits> m_pages;
    std::vector<int> m_firstRow;         ///< the heading row of each page
    std::vector<qsizetype> m_hitsBefore; ///< hits on the pages before each page
    std::vector<bool> m_heading;         ///< per row: a heading, not a hit (asked for every row)
    int m_removedHeading = -1;           ///< the row of the removed pages' heading
    int m_rows = 0;
    qsizetype m_hits = 0;
};

} // namespace jw::search
