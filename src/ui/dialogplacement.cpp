#include "ui/dialogplacement.h"

#include "base/placement.h"
#include "ui/twips.h"

#include <QWidget>

namespace jw::ui {

void applyDialogPlacement(QWidget *dialog, const QWidget *mainWindow)
{
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const Widths widths{Width(mainWindow), Width(dialog), ScreenWidth(mainWindow)};
    const Corner place = dialogPlacement({Top(mainWindow), Left(mainWindow)}, widths, ScreenHeight(mainWindow));
    setTop(dialog, place.top);
    setLeft(dialog, place.left);
}

} // namespace jw::ui
