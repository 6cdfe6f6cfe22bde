#include "ui/fonts.h"

#include <QFontDatabase>

namespace jw::ui {

QStringList screenFontNames()
{
    return QFontDatabase::families();
}

} // namespace jw::ui
