#pragma once

// Every name the pad uses in the settings store, and the hot key's name and
// standard combination. Names in the store are compared ignoring case.

#include <QString>

namespace jw {

/// The application every entry belongs to.
inline const QString kApp = QStringLiteral("Jotwell");

/// The page list: key = page title, value = its position from 1.
inline const QString kTabsSection = QStringLiteral("Tabs");

/// The last window position, in twips, read by place: Top, Left, Width, Height.
inline const QString kPositionSection = QStringLiteral("Position");
inline const QString kTopKey = QStringLiteral("Top");
inline const QString kLeftKey = QStringLiteral("Left");
inline const QString kWidthKey = QStringLiteral("Width");
inline const QString kHeightKey = QStringLiteral("Height");

/// The hot key that shows and hides the pad: its name, also the key under
/// which the chosen combination is kept (portable text, "Alt+V"), and the
/// reason last told that no key could be had.
inline const QString kHotKeySection = QStringLiteral("HotKey");
inline const QString kHotKeyName = QStringLiteral("JotwellVisible");
inline const QString kHotKeyUnavailableKey = QStringLiteral("Unavailable");

/// The standard show/hide key, Alt+V: as portable text, and as the key code
/// and modifier value its press reports.
inline const QString kDefaultHotKeyText = QStringLiteral("Alt+V");
inline constexpr int kDefaultHotKeyCode = 86;     // V
inline constexpr int kDefaultHotKeyModifiers = 1; // Alt

} // namespace jw
