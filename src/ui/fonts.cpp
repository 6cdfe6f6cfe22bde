#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace jw::ui {

QStringList screenFontNames() { return QFontDatabase::families(); }

QString desktopFontFamily()
{
    // The theme's name may be an alias ("Sans Serif") that no list holds.
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
}

} // namespace jw::ui
