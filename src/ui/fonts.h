#pragma once

#include <QStringList>

namespace jw::ui {

/// The screen fonts in the order the platform enumerates them.
QStringList screenFontNames();

} // namespace jw::ui
