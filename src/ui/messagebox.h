#pragma once

#include <QString>

class QWidget;

namespace jw::ui {

/// Shows `text` in a modal message box with a single OK button and no icon,
/// and returns when it is closed. The text is shown literally (no markup).
/// The box is an ordinary QMessageBox, so QApplication::activeModalWidget()
/// finds it while it is open.
void MsgBox(QWidget *parent, const QString &text, const QString &title = QStringLiteral("Jotwell Pro"));

} // namespace jw::ui

namespace jw::ui {

/// Which button Enter presses.
enum class Default { No, Yes };

/// Asks a question in a modal message box with two buttons, `yes` and `no`
/// (chosen by Escape and the close box, and by Enter unless `enter` says
/// Yes); true for `yes`.
bool AskBox(QWidget *parent, const QString &text, const QString &yes, const QString &no,
            const QString &title = QStringLiteral("Jotwell Pro"), Default enter = Default::No);

} // namespace jw::ui
