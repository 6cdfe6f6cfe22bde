#include "pages/worddiff.h"

#include <QHash>

#include <vector>

namespace jw::worddiff {

QList<Word> words(QStringView text)
{
    QList<Word> found;
    int start = -1;
    for (int i = 0; i <= int(text.size()); ++i) {
        const bool space = i == int(text.size()) || text[i].isSpace();
        if (!space && start < 0)
            start = i;
        if (space && start >= 0) {
            found.append({start, i - start});
            start = -1;
        }
    }
    return found;
}

namespace {

/// Each word as a number, equal numbers for equal words.
std::vector<int> numbered(QStringView text, const QList<Word> &list, QHash<QStringView, int> &ids)
{
    std::vector<int> out;
    out.reserve(std::size_t(list.size()));
    for (const Word &w : list) {
        const QStringView word = text.mid(w.start, w.length);
        auto found = ids.constFind(word);
        if (found == ids.constEnd())
            found = ids.insert(word, int(ids.size()));
        out.push_back(found.value());
    }
    return out;
}

/// V of Myers' walk before step d: the furthest x on each diagonal k in [-(d-1), d-1].
using Band = std::vector<int>;

int at(const Band &band, int d, int k) { return band[std::size_t(k + d - 1)]; }

bool goesDown(int k, int d, const Band &before)
{
    return k == -d || (k != d && at(before, d, k - 1) < at(before, d, k + 1));
}

void append(QList<Change> &out, const Change &e)
{
    Change *last = out.isEmpty() ? nullptr : &out.last();
    if (last && last->thenIndex + last->thenCount == e.thenIndex && last->nowIndex + last->nowCount == e.nowIndex) {
        last->thenCount += e.thenCount;
        last->nowCount += e.nowCount;
    } else {
        out.append(e);
    }
}

/// Walks back from diagonal k after `d` edits, one edit per step, and appends them in order.
void backtrack(const std::vector<Band> &trace, int d, int k, int a0, int b0, QList<Change> &out)
{
    QList<Change> edits;
    for (int step = d; step > 0; --step) {
        const Band &before = trace[std::size_t(step)];
        const bool down = goesDown(k, step, before);
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = at(before, step, prevK);
        const int prevY = prevX - prevK;
        edits.append(down ? Change{a0 + prevX, 0, b0 + prevY, 1} : Change{a0 + prevX, 1, b0 + prevY, 0});
        k = prevK;
    }
    for (auto e = edits.crbegin(); e != edits.crend(); ++e)
        append(out, *e);
}

/// Myers' greedy walk over a[a0, a1) and b[b0, b1); appends the changes.
/// Returns false when it needs more than `maxEdits` edits.
bool myers(const std::vector<int> &a, int a0, int a1, const std::vector<int> &b, int b0, int b1, int maxEdits,
           QList<Change> &out)
{
    const int n = a1 - a0;
    const int m = b1 - b0;
    std::vector<Band> trace;
    Band v;
    for (int d = 0; d <= std::min(n + m, maxEdits); ++d) {
        trace.push_back(v);
        Band next(std::size_t(2 * d + 1), 0);
        for (int k = -d; k <= d; k += 2) {
            int x = d == 0 ? 0 : (goesDown(k, d, v) ? at(v, d, k + 1) : at(v, d, k - 1) + 1);
            int y = x - k;
            while (x < n && y < m && a[std::size_t(a0 + x)] == b[std::size_t(b0 + y)]) {
                ++x;
                ++y;
            }
            next[std::size_t(k + d)] = x;
            if (x >= n && y >= m) {
                backtrack(trace, d, k, a0, b0, out);
                return true;
            }
        }
        v = std::move(next);
    }
    return false;
}

} // namespace

QList<Change> changes(QStringView then, const QList<Word> &thenWords, QStringView now, const QList<Word> &nowWords,
                      int maxEdits)
{
    QHash<QStringView, int> ids;
    const std::vector<int> a = numbered(then, thenWords, ids);
    const std::vector<int> b = numbered(now, nowWords, ids);
    // The same beginning and end cost nothing, however long the page.
    int start = 0;
    while (start < int(a.size()) && start < int(b.size()) && a[std::size_t(start)] == b[std::size_t(start)])
        ++start;
    int endA = int(a.size());
    int endB = int(b.size());
    while (endA > start && endB > start && a[std::size_t(endA - 1)] == b[std::size_t(endB - 1)]) {
        --endA;
        --endB;
    }
    QList<Change> out;
    if (start == endA && start == endB)
        return out;
    if (!myers(a, start, endA, b, start, endB, maxEdits, out))
        out = {{start, endA - start, start, endB - start}};
    return out;
}

Counts count(const QList<Change> &changes)
{
    Counts counts;
    for (const Change &c : changes) {
        counts.added += c.nowCount;
        counts.removed += c.thenCount;
    }
    return counts;
}

} // namespace jw::worddiff
