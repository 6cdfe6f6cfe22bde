#pragma once

class QWidget;

namespace jw::ui {

/// Makes a small dialog topmost and places it beside the main window
/// (to its right when there is room, else to its left; higher up near the
/// bottom of the screen). Called by the add, rename and search dialogs as
/// they load.
void applyDialogPlacement(QWidget *dialog, const QWidget *mainWindow);

/// Places the help window beside the main window, as far as the screen allows.
void applyHelpPlacement(QWidget *help, const QWidget *mainWindow);

} // namespace jw::ui
