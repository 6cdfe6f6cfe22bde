#include "pages/thinning.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

namespace jw::thinning {

namespace {

enum Tier { Recent, Hourly, Daily, Weekly, Tiers };

Tier tierOf(qint64 ageSecs)
{
    constexpr qint64 hour = 3600;
    constexpr qint64 day = 24 * hour;
    if (ageSecs < hour)
        return Recent;
    if (ageSecs < 2 * day)
        return Hourly;
    if (ageSecs < 60 * day)
        return Daily;
    return Weekly;
}

// Each bucket lies inside one of the next coarser tier: an hour in a day,
// a day in an ISO week. That nesting is what keeps a drop final.
qint64 bucketOf(const QDateTime &local, Tier tier)
{
    const QDate date = local.date();
    switch (tier) {
    case Hourly: return date.toJulianDay() * 24 + local.time().hour();
    case Daily: return date.toJulianDay();
    case Weekly: return date.addDays(1 - date.dayOfWeek()).toJulianDay();
    default: return 0;
    }
}

} // namespace

std::vector<bool> keepByAge(const QList<QDateTime> &newestFirst, const QDateTime &now, const QTimeZone &zone)
{
    std::vector<bool> keep(std::size_t(newestFirst.size()), false);
    // The buckets of every newer version, in each tier's size.
    std::array<std::set<qint64>, Tiers> seen;
    for (qsizetype i = 0; i < newestFirst.size(); ++i) {
        const QDateTime local = newestFirst[i].toTimeZone(zone);
        const Tier tier = tierOf(newestFirst[i].secsTo(now));
        keep[std::size_t(i)] = tier == Recent || !seen[tier].contains(bucketOf(local, tier));
        for (const Tier t : {Hourly, Daily, Weekly})
            seen[t].insert(bucketOf(local, t));
    }
    return keep;
}

QList<qsizetype> dropForSize(const QList<Sized> &versions, qint64 limit)
{
    qint64 total = 0;
    for (const Sized &v : versions)
        total += v.size;
    QList<qsizetype> order(versions.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return versions[a].time < versions[b].time; });
    QList<qsizetype> dropped;
    for (const qsizetype i : order) {
        if (total <= limit)
            break;
        if (versions[i].newestOfPage)
            continue;
        total -= versions[i].size;
        dropped.append(i);
    }
    return dropped;
}

} // namespace jw::thinning
