#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

class frmMain;

/// The search dialog: finds the first occurrence of the typed text in the
/// current page and selects it in the main window's editor.
class frmSearch final : public QDialog {
    Q_OBJECT

public:
    /// Built and placed beside `main`; shown with exec() by the caller.
    explicit frmSearch(frmMain &main);

    QLabel *Label1 = nullptr;
    QLineEdit *txtSearch = nullptr;
    QPushButton *cmdSearch = nullptr;

    /// Makes the dialog topmost and places it beside the main window.
    void Form_Load();
    /// Gives the keyboard focus to the text box.
    void Form_GotFocus();
    /// Enter in the text box runs the search; returns true when it did.
    bool txtSearch_KeyDown(int keyCode);
    /// The dialog search: selects the first match, or says there is none, then closes.
    void cmdSearch_Click();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmMain &m_main;
};

} // namespace jw
