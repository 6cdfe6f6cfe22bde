#pragma once

#include <QObject>

class QAction;

namespace jw {

namespace ui {
class ICommands;
class RichTextEdit;
} // namespace ui

/// Undo, Redo, Cut, Copy, Paste and Select All of the Edit menu, on the page.
/// Their keys stay with the field that has them (a font box undoes its own typing).
class EditCommands final : public QObject {
    Q_OBJECT

public:
    EditCommands(ui::ICommands &commands, ui::RichTextEdit &pad, QObject *parent = nullptr);

    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuSelectAll_Click();

private:
    ui::RichTextEdit &m_pad;
};

} // namespace jw
