#pragma once

#include "search/matcher.h"

#include <QString>
#include <QStringView>

namespace jw::search {

/// One line of a results list: the hit with the words around it.
struct HitContext {
    QString line;
    qsizetype markStart = 0; ///< where the hit is in `line`
    qsizetype markLength = 0;
    bool operator==(const HitContext &) const = default;
};

/// The words around `hit` in `text`, within its paragraph: about `before`
/// units before it and `after` after it, cut at a space where there is one
/// and marked "…" where the paragraph goes on. Tabs and breaks read as spaces.
HitContext hitContext(QStringView text, Hit hit, qsizetype before = 24, qsizetype after = 40);

} // namespace jw::search
