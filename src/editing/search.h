#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace jw {

/// Finds the first exact, case-sensitive occurrence of `what` in `text` that
/// starts at or after the 1-based position `start`, and returns its 1-based
/// position. Positions count UTF-16 code units, as the editor's selection
/// does. There is no wrap-around. An empty `what` never matches, nor does an
/// occurrence that would begin or end inside a surrogate pair.
std::optional<qint64> findText(QStringView text, QStringView what, qint64 start);

} // namespace jw
