#pragma once

#include "base/settingsstore.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace jw {

/// Application and section names of the page list in the settings store.
inline const QString kApp = QStringLiteral("Jotwell");
inline const QString kTabsSection = QStringLiteral("Tabs");
inline const QString kPositionSection = QStringLiteral("Position");

/// Text to a whole number the way the stored values have always been read:
/// surrounding blanks allowed, a fraction rounded half to even, nullopt when
/// the text is not a number or the result does not fit.
std::optional<qint16> toInt16(const QString &text);
std::optional<qint32> toInt32(const QString &text);

/// The captions of the tab strip built from the page list: one tab per
/// entry, tab p showing the title whose value converts to p. An entry whose
/// value is not a number in 1..n leaves its tab without caption.
QStringList tabCaptionsFromPageList(const SettingsEntries &entries);

/// The default page list of a first start, in order.
SettingsEntries defaultPageList();

} // namespace jw
