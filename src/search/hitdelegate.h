#pragma once

#include <QStyledItemDelegate>

namespace jw::search {

/// Draws a hit row of the results with the hit itself in bold on a marked
/// background, the words around it plain, cut with "…" where the row ends.
class HitDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace jw::search
