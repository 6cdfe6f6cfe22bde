#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QKeyEvent;
class QPushButton;
class QWidget;

namespace jw {

namespace ui { class TabStrip; }

/// Gives a page dialog its frame: a tool window with a caption bar and a
/// close box only, of a fixed client size in twips, kept out of the taskbar
/// and modal for the whole application.
void setUpToolDialog(QDialog *dialog, const QString &caption, double clientWidth, double clientHeight);

/// A push button that never acts as the dialog's default button, so that
/// Enter reaches only the rules the dialog sets for it.
QPushButton *plainButton(const QString &caption, QWidget *parent);

/// The key of code 13: Return on the main keyboard or Enter on the keypad.
bool isEnterKey(const QKeyEvent *event);

/// The captions of all tabs, first to last.
QStringList tabCaptions(const ui::TabStrip &tabs);

} // namespace jw
