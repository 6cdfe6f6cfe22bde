#pragma once

#include <QStringList>

namespace jw::ui {

/// The screen fonts in the order the platform enumerates them.
QStringList screenFontNames();

/// The family the desktop's interface font resolves to on this machine.
QString desktopFontFamily();

} // namespace jw::ui
