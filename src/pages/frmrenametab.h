#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

class frmMain;

/// The "Rename Tab" dialog: gives the current page a new title.
/// Created by the Edit menu, shown modally, destroyed when closed.
class frmRenameTab final : public QDialog {
    Q_OBJECT

public:
    explicit frmRenameTab(frmMain &main);

    /// Places the dialog beside the main window and on top of the desktop.
    void Form_Load();
    /// Enter (key code 13) in the name box renames; other keys, Escape
    /// included, are the box's own.
    bool txtName_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    /// The rename operation. Refused names leave the dialog open and change nothing.
    void cmdRename_Click();
    /// Closes the dialog; nothing changes.
    void cmdCancel_Click();

    QLabel *Label1 = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdRename = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    frmMain &m_main;
};

} // namespace jw
