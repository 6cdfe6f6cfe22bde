#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace jw::ui {

/// The small dialogs of the pad (add, rename, search): a fixed client size
/// in twips, a caption bar with a close box only, out of the taskbar, modal
/// for the application, topmost and placed beside their owner window.
/// No button is a default button: Enter in the text box reaches only
/// textBoxKeyDown(); Escape closes the dialog as its close box does.
class ToolDialog : public QDialog {
    Q_OBJECT

public:
    ToolDialog(QWidget *owner, const QString &caption, double clientWidth, double clientHeight);

protected:
    /// A push button that never becomes the dialog's default button.
    QPushButton *plainButton(const QString &caption);
    /// The box that has the focus when the dialog opens; its keys go to textBoxKeyDown().
    void setTextBox(QLineEdit *box);
    /// A key pressed in the text box, as a key code (13 for Enter); true when handled.
    virtual bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers shift) = 0;
    /// Places the dialog beside its owner and on top of the desktop.
    void placeBesideOwner();

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *m_owner = nullptr;
    QLineEdit *m_box = nullptr;
};

} // namespace jw::ui
