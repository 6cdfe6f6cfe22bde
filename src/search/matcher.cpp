#include "search/matcher.h"

#include "search/canceltoken.h"
#include "search/casefold.h"

#include <QTextBoundaryFinder>

namespace jw::search {
namespace {

/// Word rules look only a few characters to either side; a boundary finder
/// over a whole 10 MB page would cost more than the search.
constexpr qsizetype kWordWindow = 32;

bool splitsSurrogates(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

/// An accent that belongs to the character before it.
bool isCombining(QChar c)
{
    const auto category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing
           || category == QChar::Mark_SpacingCombining;
}

} // namespace

bool isWordBoundary(QStringView text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return true;
    qsizetype from = std::max<qsizetype>(0, position - kWordWindow);
    qsizetype to = std::min(text.size(), position + kWordWindow);
    if (splitsSurrogates(text, from))
        --from;
    if (splitsSurrogates(text, to))
        ++to;
    const QString window = text.sliced(from, to - from).toString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, window);
    finder.setPosition(position - from);
    return finder.isAtBoundary();
}

Matcher::Matcher(QString query, Options options)
    : m_query(std::move(query)), m_needle(options.matchCase ? m_query : foldCase(m_query)), m_finder(m_needle),
      m_options(options)
{}

bool Matcher::acceptable(QStringView text, Hit hit) const
{
    const qsizetype end = hit.start + hit.length;
    if (splitsSurrogates(text, hit.start) || splitsSurrogates(text, end))
        return false;
    if (end < text.size() && isCombining(text[end]))
        return false;
    return !m_options.wholeWords || (isWordBoundary(text, hit.start) && isWordBoundary(text, end));
}

std::vector<Hit> Matcher::findAll(QStringView text, const CancelToken *cancel) const
{
    if (m_options.matchCase || isEmpty())
        return find(text, nullptr, cancel);
    const FoldedText folded(text);
    return find(text, &folded, cancel);
}

std::vector<Hit> Matcher::findAll(QStringView text, const FoldedText &folded, const CancelToken *cancel) const
{
    return find(text, m_options.matchCase ? nullptr : &folded, cancel);
}

std::vector<Hit> Matcher::find(QStringView text, const FoldedText *folded, const CancelToken *cancel) const
{
    std::vector<Hit> hits;
    if (isEmpty())
        return hits;
    const QStringView haystack = folded ? QStringView(folded->text()) : text;
    qsizetype from = 0;
    while (!(cancel && cancel->cancelled())) {
        const qsizetype at = m_finder.indexIn(haystack, from);
        if (at < 0)
            break;
        Hit hit{at, m_needle.size()};
        if (folded) {
            const qsizetype start = folded->toOriginal(at);
            const qsizetype end = folded->toOriginal(at + m_needle.size());
            hit = {start, end - start};
            if (start < 0 || end < 0)
                hit.length = -1;
        }
        if (hit.length > 0 && acceptable(text, hit)) {
            hits.push_back(hit);
            from = at + m_needle.size();
        } else {
            from = at + 1;
        }
    }
    return hits;
}

bool Matcher::matchesAt(QStringView text, Hit hit) const
{
    if (isEmpty() || hit.start < 0 || hit.length <= 0 || hit.start + hit.length > text.size())
        return false;
    const QStringView stretch = text.sliced(hit.start, hit.length);
    const bool equal = m_options.matchCase ? stretch == m_needle : foldCase(stretch) == m_needle;
    return equal && acceptable(text, hit);
}

} // namespace jw::search
