#include "ui/paragraphjoins.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace jw::ui::joins {

namespace {

constexpr int kJoinProperty = QTextFormat::UserProperty + 1;

} // namespace

bool joinsPrevious(const QTextBlock &block) { return block.blockFormat().boolProperty(kJoinProperty); }

QTextBlockFormat joinedFormat()
{
    QTextBlockFormat format;
    format.setProperty(kJoinProperty, true);
    return format;
}

QTextBlockFormat withoutJoin(QTextBlockFormat format)
{
    format.clearProperty(kJoinProperty);
    return format;
}

std::vector<int> joinPositions(const QTextDocument &document, int from, int to)
{
    std::vector<int> out;
    QTextBlock block = document.findBlock(from);
    if (!block.isValid())
        return out;
    for (block = block.next(); block.isValid() && block.position() - 1 < to; block = block.next()) {
        if (block.position() - 1 >= from && joinsPrevious(block))
            out.push_back(block.position() - 1);
    }
    return out;
}

int textOffset(const std::vector<int> &joins, int position)
{
    return position - int(std::lower_bound(joins.begin(), joins.end(), position) - joins.begin());
}

int documentPosition(const std::vector<int> &joins, int offset)
{
    int position = offset;
    for (const int join : joins) {
        if (join >= position)
            break;
        ++position;
    }
    return position;
}

QString withoutJoins(const QString &raw, const std::vector<int> &joins, int from)
{
    if (joins.empty())
        return raw;
    QString out;
    out.reserve(raw.size());
    qsizetype copied = 0;
    for (const int join : joins) {
        const qsizetype at = join - from;
        if (at < copied || at >= raw.size())
            continue;
        out.append(QStringView(raw).mid(copied, at - copied));
        copied = at + 1;
    }
    out.append(QStringView(raw).mid(copied));
    return out;
}

} // namespace jw::ui::joins
