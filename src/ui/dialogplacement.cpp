#include "shell/dialogplacement.h"

#include "base/placement.h"
#include "ui/twips.h"

#include <QWidget>

namespace jw {

void applyDialogPlacement(QWidget *dialog, const QWidget *mainWindow)
{
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const Corner place = dialogPlacement({ui::Top(mainWindow), ui::Left(mainWindow)}, ui::ScreenHeight(mainWindow));
    ui::setTop(dialog, place.top);
    ui::setLeft(dialog, place.left);
}

} // namespace jw
