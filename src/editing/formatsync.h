#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace jw {

/// Rounds to a whole number, halves going to the even neighbour (10.5 -> 10, 11.5 -> 12).
int roundHalfEven(double value);

/// The entry a combo box shows for the selection's font name: the last entry
/// equal to `name` (case-sensitive), or `current` when the name is mixed
/// (nullopt) or not listed.
int syncFontEntry(const QStringList &entries, const std::optional<QString> &name, int current);

/// The entry the size box shows for the selection's size: the last entry
/// whose whole-number value equals the size rounded half to even, or
/// `current` when the size is mixed or not listed.
int syncSizeEntry(const QStringList &entries, const std::optional<double> &size, int current);

/// The entry chosen as the start-up font: the last entry equal to
/// "ms sans serif" without regard to case, or -1 when there is none.
int startupFontEntry(const QStringList &entries);

/// The button state for a selection attribute: 1 pressed, 0 released, or
/// `current` when the attribute is mixed.
inline int syncButtonValue(const std::optional<bool> &attribute, int current)
{
    return attribute ? (*attribute ? 1 : 0) : current;
}

} // namespace jw
