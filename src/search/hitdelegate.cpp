#include "search/hitdelegate.h"

#include "search/resultsmodel.h"

#include <QApplication>
#include <QPainter>

namespace jw::search {

void HitDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(ResultsModel::KindRole).toInt() != int(ResultsModel::Kind::Hit)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString line = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const qsizetype markStart = index.data(ResultsModel::MarkStartRole).toLongLong();
    const qsizetype markLength = index.data(ResultsModel::MarkLengthRole).toLongLong();
    const bool selected = opt.state & QStyle::State_Selected;
    QFont bold = opt.font;
    bold.setBold(true);
    QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(3, 0, -3, 0);

    painter->save();
    painter->setClipRect(room);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    // Before the hit, the hit, after it; each part as wide as the room left.
    const QString parts[] = {line.left(markStart), line.mid(markStart, markLength), line.mid(markStart + markLength)};
    for (int i = 0; i < 3 && room.width() > 0; ++i) {
        painter->setFont(i == 1 ? bold : opt.font);
        const QFontMetrics metrics(painter->font());
        const QString text = metrics.elidedText(parts[i], Qt::ElideRight, room.width());
        const int width = metrics.horizontalAdvance(text);
        if (i == 1 && !selected)
            painter->fillRect(QRect(room.left(), room.top(), width, room.height()), QColor(255, 226, 110));
        painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        room.setLeft(room.left() + width);
    }
    painter->restore();
}

} // namespace jw::search
