#pragma once

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <vector>

// Which versions of the page history stay as they grow old. Plain rules over
// times and sizes, so they can be checked against a table with a fixed clock.
namespace jw::thinning {

/// Whether each version stays at `now`: every version of the last hour; for
/// two days the newest of each hour; for 60 days the newest of each day; after
/// that the newest of each week. Hours, days and weeks are those of `zone`.
/// A version is dropped only when a newer one shares its hour, day or week,
/// so one dropped today would be dropped on any later day too, and the
/// newest version always stays. `newestFirst` is sorted newest first.
std::vector<bool> keepByAge(const QList<QDateTime> &newestFirst, const QDateTime &now,
                            const QTimeZone &zone = QTimeZone::systemTimeZone());

/// One version among all pages' versions, for the size limit.
struct Sized {
    QDateTime time;
    qint64 size = 0;
    bool newestOfPage = false; ///< never dropped
};

/// The versions to drop, oldest first, so that the rest stays within
/// `limit` bytes; a page's newest version is never among them, so the total
/// may stay above the limit when those alone exceed it.
QList<qsizetype> dropForSize(const QList<Sized> &versions, qint64 limit);

} // namespace jw::thinning
