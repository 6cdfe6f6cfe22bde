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

/// Asks a question in a modal message box with two buttons, `yes` and `no`
/// (the default, also chosen by Escape and the close box); true for `yes`.
bool AskBox(QWidget *parent, const QString &text, const QString &yes, const QString &no,
            const QString &title = QStringLiteral("Jotwell Pro"));

} // namespace jw::ui
