#pragma once

#include "base/settingsstore.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace jw {

/// Position of a page appended to the page list: one past the entries, or 1
/// when the list is missing or empty.
int newPagePosition(const std::optional<SettingsEntries> &pageList);

/// The entries to write again once the page at `removed` has left the list:
/// every entry whose position is above `removed`, one place lower. Entries
/// below it, and values that are not numbers, are not touched.
SettingsEntries closeGap(const SettingsEntries &remaining, int removed);

/// Index (1-based) of the first caption that equals `title` once both are
/// lower-cased by `locale` (the add dialog's test); 0 when there is none.
int findDuplicateLower(const QStringList &captions, const QString &title, const QLocale &locale = QLocale());

/// Index (1-based) of the first caption that equals `title` once both are
/// upper-cased by `locale` (the rename dialog's test); 0 when there is none.
int findDuplicateUpper(const QStringList &captions, const QString &title, const QLocale &locale = QLocale());

} // namespace jw
