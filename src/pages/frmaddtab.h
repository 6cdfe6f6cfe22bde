#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

class frmMain;

/// The "Add Tab" dialog: asks for the title of a new page and appends it.
/// Created by the Edit menu, shown modally, destroyed when closed.
class frmAddTab final : public QDialog {
    Q_OBJECT

public:
    explicit frmAddTab(frmMain &main);

    /// Places the dialog beside the main window and on top of the desktop.
    void Form_Load();
    /// Enter (key code 13) in the title box adds the page; other keys,
    /// Escape included, are the box's own.
    bool txtTitle_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    /// The add operation. Refused titles leave the dialog open and change nothing.
    void cmdAdd_Click();
    /// Closes the dialog; nothing is stored.
    void cmdCancel_Click();

    QLabel *Label1 = nullptr;
    QLineEdit *txtTitle = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    frmMain &m_main;
};

} // namespace jw
