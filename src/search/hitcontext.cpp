#include "search/hitcontext.h"

#include <algorithm>

namespace jw::search {
namespace {

bool isBreak(QChar c) { return c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029); }

/// The line shows control characters (tabs, breaks inside a hit) as spaces.
QString shown(QStringView part)
{
    QString out = part.toString();
    for (QChar &c : out) {
        if (c.category() == QChar::Other_Control || isBreak(c))
            c = u' ';
    }
    return out;
}

/// Moves `at` off the second half of a surrogate pair, towards `step`.
qsizetype whole(QStringView text, qsizetype at, int step)
{
    if (at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate())
        at += step > 0 ? 1 : -1;
    return at;
}

} // namespace

HitContext hitContext(QStringView text, Hit hit, qsizetype before, qsizetype after)
{
    const qsizetype end = std::min(text.size(), hit.start + hit.length);
    // The paragraph around the hit, as far as the line can show it: a long
    // paragraph is not walked to its ends for every hit.
    qsizetype paraStart = hit.start;
    while (paraStart > 0 && paraStart > hit.start - before - 1 && !isBreak(text[paraStart - 1]))
        --paraStart;
    qsizetype paraEnd = end;
    while (paraEnd < text.size() && paraEnd < end + after + 1 && !isBreak(text[paraEnd]))
        ++paraEnd;

    qsizetype from = whole(text, std::max(paraStart, hit.start - before), +1);
    const bool cutBefore = from > paraStart;
    if (cutBefore) {
        // Start at a whole word when one begins before the hit.
        for (qsizetype i = from; i < hit.start; ++i) {
            if (text[i].isSpace()) {
                from = i + 1;
                break;
            }
        }
    }
    while (from < hit.start && text[from].isSpace())
        ++from;

    qsizetype to = whole(text, std::min(paraEnd, end + after), -1);
    const bool cutAfter = to < paraEnd;
    if (cutAfter) {
        for (qsizetype i = to; i > end; --i) {
            if (text[i - 1].isSpace()) {
                to = i - 1;
                break;
            }
        }
    }
    while (to > end && text[to - 1].isSpace())
        --to;

    HitContext context;
    if (cutBefore)
        context.line = QStringLiteral("… ");
    context.line += shown(text.sliced(from, hit.start - from));
    context.markStart = context.line.size();
    context.markLength = end - hit.start;
    context.line += shown(text.sliced(hit.start, end - hit.start));
    context.line += shown(text.sliced(end, to - end));
    if (cutAfter)
        context.line += QStringLiteral(" …");
    return context;
}

} // namespace jw::search
