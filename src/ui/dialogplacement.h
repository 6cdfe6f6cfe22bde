#pragma once

#include <QRect>

class QWidget;

namespace jw::ui {

/// Makes a small dialog topmost and places it beside the main window
/// (to its right when there is room, else to its left; higher up near the
/// bottom of the screen). Called by the add, rename and search dialogs as
/// they load.
void applyDialogPlacement(QWidget *dialog, const QWidget *mainWindow);

/// Places the help window beside the main window, as far as the screen
/// allows, and never over the main window's buttons (helpClearOf).
void applyHelpPlacement(QWidget *help, const QWidget *mainWindow);

/// The help window's outer rectangle `help` moved off the main window's
/// `main` one: beside it on the roomier side of `screen`, narrowed to the
/// room there when that is at least `minWidth`; else below the top `band`
/// pixels of the main window (its buttons and tabs), as high as the screen
/// allows. A `help` that covers no part of `main` stays as it is.
QRect helpClearOf(QRect help, const QRect &main, int band, const QRect &screen, int minWidth);

} // namespace jw::ui
