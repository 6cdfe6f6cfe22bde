#include "editing/search.h"

namespace jw {

namespace {

// True when a position falls between the two halves of a surrogate pair;
// a selection edge there would split a character.
bool splitsPair(QStringView text, qsizetype pos)
{
    return pos > 0 && pos < text.size() && text.at(pos).isLowSurrogate() && text.at(pos - 1).isHighSurrogate();
}

} // namespace

std::optional<qint64> findText(QStringView text, QStringView what, qint64 start)
{
    if (what.isEmpty())
        return std::nullopt;
    qsizetype from = start < 1 ? 0 : static_cast<qsizetype>(start - 1);
    while (from <= text.size() - what.size()) {
        const qsizetype at = text.indexOf(what, from, Qt::CaseSensitive);
        if (at < 0)
            return std::nullopt;
        if (!splitsPair(text, at) && !splitsPair(text, at + what.size()))
            return static_cast<qint64>(at) + 1;
        from = at + 1;
    }
    return std::nullopt;
}

} // namespace jw
