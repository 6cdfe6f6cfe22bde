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

void applyHelpPlacement(QWidget *help, const QWidget *mainWindow)
{
    const Widths widths{Width(mainWindow), Width(help), ScreenWidth(mainWindow)};
    const Corner place =
        helpPlacement({Top(mainWindow), Left(mainWindow)}, widths, Height(help), ScreenHeight(mainWindow));
    setTop(help, place.top);
    setLeft(help, place.left);
}

} // namespace jw::ui
