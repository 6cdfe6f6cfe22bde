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

namespace jw {

std::optional<SearchState::Match> SearchState::search(QStringView text, const QString &what)
{
    const auto found = findText(text, what, 1);
    if (!found)
        return std::nullopt;
    m_iCursor = *found;
    m_vSearch = what;
    return Match{*found - 1, what.size()};
}

std::optional<SearchState::Match> SearchState::next(QStringView text)
{
    const auto found = findText(text, m_vSearch, m_iCursor + 1);
    if (!found)
        return std::nullopt;
    m_iCursor = *found;
    return Match{*found - 1, m_vSearch.size()};
}

} // namespace jw
