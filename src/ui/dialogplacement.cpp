#include "ui/dialogplacement.h"

#include "base/placement.h"
#include "ui/twips.h"

#include <QScreen>
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
    // The help's frame is not known before it is shown: the main window's stands in.
    const QMargins frame(mainWindow->geometry().left() - mainWindow->frameGeometry().left(),
                         mainWindow->geometry().top() - mainWindow->frameGeometry().top(),
                         mainWindow->frameGeometry().right() - mainWindow->geometry().right(),
                         mainWindow->frameGeometry().bottom() - mainWindow->geometry().bottom());
    const int band = frame.top() + int(840 / twipsPerPixelY(mainWindow)); // the buttons and the tabs
    const QRect outer = help->geometry().marginsAdded(frame);
    const QRect clear =
        helpClearOf(outer, mainWindow->frameGeometry(), band, mainWindow->screen()->availableGeometry(), 360);
    if (clear != outer)
        help->setGeometry(clear.marginsRemoved(frame));
}

QRect helpClearOf(QRect help, const QRect &main, int band, const QRect &screen, int minWidth)
{
    if (!help.intersects(main))
        return help;
    const int right = screen.right() - main.right();
    const int left = main.left() - screen.left();
    if (std::max(left, right) >= minWidth) {
        help.setWidth(std::min(help.width(), std::max(left, right)));
        help.moveLeft(right >= left ? main.right() + 1 : main.left() - help.width());
        return help;
    }
    help.moveTop(main.top() + band);
    help.setBottom(std::min(help.bottom(), screen.bottom()));
    return help;
}

} // namespace jw::ui
