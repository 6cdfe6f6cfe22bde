#pragma once

#include "ui/tooldialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

class SearchState;
namespace ui {
class RichTextEdit;
}

/// The search dialog: finds the first occurrence of the typed text in the
/// page and selects it in the editor.
class frmSearch final : public ui::ToolDialog {
    Q_OBJECT

public:
    /// Placed beside `owner`; searches `pad` and keeps what it found in `state`.
    frmSearch(QWidget *owner, ui::RichTextEdit &pad, SearchState &state);

    QLabel *Label1 = nullptr;
    QLineEdit *txtSearch = nullptr;
    QPushButton *cmdSearch = nullptr;

    /// Makes the dialog topmost and places it beside the main window.
    void Form_Load();
    /// Gives the keyboard focus to the text box.
    void Form_GotFocus();
    /// Enter (key code 13) in the text box runs the search; returns true when it did.
    bool txtSearch_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    /// The dialog search: selects the first match, or says there is none, then closes.
    void cmdSearch_Click();

protected:
    bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers shift) override { return txtSearch_KeyDown(keyCode, shift); }
    void focusInEvent(QFocusEvent *event) override;

private:
    ui::RichTextEdit &m_pad;
    SearchState &m_state;
};

/// Selects a match in the editor.
void selectMatch(ui::RichTextEdit &pad, qint64 start, qint64 length);

} // namespace jw
