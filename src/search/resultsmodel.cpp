#include "search/resultsmodel.h"

#include "search/hitcontext.h"

#include <QFont>

#include <algorithm>

namespace jw::search {

ResultsModel::ResultsModel(QObject *parent) : QAbstractListModel(parent) {}

void ResultsModel::clear()
{
    beginResetModel();
    m_pages.clear();
    m_firstRow.clear();
    m_hitsBefore.clear();
    m_heading.clear();
    m_removedHeading = -1;
    m_rows = 0;
    m_hits = 0;
    endResetModel();
}

void ResultsModel::addPages(std::vector<PageHits> pages)
{
    if (pages.empty())
        return;
    // One insertion for all: a view takes a thousand pages at once faster than one by one.
    int added = 0;
    for (const PageHits &page : pages)
        added += int(page.hits.size()) + 1;
    const bool heading =
        m_removedHeading < 0 && std::any_of(pages.begin(), pages.end(), [](const PageHits &p) { return p.removed; });
    beginInsertRows({}, m_rows, m_rows + added + (heading ? 1 : 0) - 1);
    for (PageHits &page : pages) {
        if (page.removed && m_removedHeading < 0) {
            m_removedHeading = m_rows++;
            m_heading.push_back(true);
        }
        m_firstRow.push_back(m_rows);
        m_hitsBefore.push_back(m_hits);
        m_heading.push_back(true);
        m_heading.resize(m_heading.size() + page.hits.size(), false);
        m_rows += int(page.hits.size()) + 1;
        m_hits += qsizetype(page.hits.size());
        m_pages.push_back(std::move(page));
    }
    endInsertRows();
}

int ResultsModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

std::pair<int, int> ResultsModel::pageOfRow(int row) const
{
    const auto after = std::upper_bound(m_firstRow.begin(), m_firstRow.end(), row);
    const int page = int(after - m_firstRow.begin()) - 1;
    return {page, page < 0 ? -1 : m_firstRow[std::size_t(page)]};
}

std::optional<ResultsModel::HitRef> ResultsModel::hitAt(int row) const
{
    if (row < 0 || row >= m_rows || row == m_removedHeading)
        return std::nullopt;
    const auto [page, first] = pageOfRow(row);
    if (page < 0 || row == first)
        return std::nullopt;
    return HitRef{page, row - first - 1};
}

int ResultsModel::rowOf(const HitRef &ref) const { return m_firstRow[std::size_t(ref.page)] + 1 + ref.hit; }

std::optional<ResultsModel::HitRef> ResultsModel::hitNumber(qsizetype n) const
{
    if (n < 0 || n >= m_hits)
        return std::nullopt;
    const auto after = std::upper_bound(m_hitsBefore.begin(), m_hitsBefore.end(), n);
    const int page = int(after - m_hitsBefore.begin()) - 1;
    return HitRef{page, int(n - m_hitsBefore[std::size_t(page)])};
}

std::optional<ResultsModel::HitRef> ResultsModel::step(std::optional<HitRef> from, int step) const
{
    if (!from)
        return hitNumber(step > 0 ? 0 : m_hits - 1);
    return hitNumber(m_hitsBefore[std::size_t(from->page)] + from->hit + step);
}

std::optional<ResultsModel::HitRef> ResultsModel::nearestHit(int row) const
{
    for (int r = std::max(0, row); r < m_rows; ++r) {
        if (const auto ref = hitAt(r))
            return ref;
        // A page without hits (unreadable) has only its heading: look further.
    }
    return step(std::nullopt, -1);
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= m_rows)
        return {};
    const Kind kind = row == m_removedHeading ? Kind::Removed : hitAt(row) ? Kind::Hit : Kind::Page;
    if (role == KindRole)
        return int(kind);
    if (role == Qt::FontRole && kind != Kind::Hit) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (kind == Kind::Removed)
        return role == Qt::DisplayRole ? QVariant(tr("Removed pages")) : QVariant();
    if (kind == Kind::Page) {
        const PageHits &p = m_pages[std::size_t(pageOfRow(row).first)];
        if (role == Qt::DisplayRole && p.error.isEmpty())
            return tr("%1 (%2)").arg(p.title, QString::number(p.hits.size()));
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return tr("%1: cannot be read: %2").arg(p.title, p.error);
        return {};
    }
    const HitRef ref = *hitAt(row);
    if (role != Qt::DisplayRole && role != MarkStartRole && role != MarkLengthRole)
        return {};
    const HitContext context = hitContext(page(ref).text, hit(ref));
    if (role == MarkStartRole)
        return context.markStart;
    if (role == MarkLengthRole)
        return context.markLength;
    return context.line;
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags; // the list itself takes nothing
    // Headings are not hits: the keyboard and the mouse pass over them.
    const auto row = std::size_t(index.row());
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return row < m_heading.size() && !m_heading[row] ? flags | Qt::ItemIsSelectable : flags;
}

} // namespace jw::search
