#include "editing/editcommands.h"

#include "ui/feature.h"
#include "ui/richtextedit.h"

namespace jw {

EditCommands::EditCommands(ui::ICommands &commands, ui::RichTextEdit &pad, QObject *parent)
    : QObject(parent), m_pad(pad)
{
    using ui::Place;
    const ui::Keys field = ui::Keys::Field;
    ui::addCommand(commands, this, "mnuUndo", tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                   &EditCommands::mnuUndo_Click, Place::EditUndo, field);
    QAction *redo = ui::addCommand(commands, this, "mnuRedo", tr("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   &EditCommands::mnuRedo_Click, Place::EditUndo, field);
    // Both habits of the desktops redo.
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    ui::addCommand(commands, this, "mnuCut", tr("&Cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
                   &EditCommands::mnuCut_Click, Place::EditClipboard, field);
    ui::addCommand(commands, this, "mnuCopy", tr("C&opy"), QKeySequence(Qt::CTRL | Qt::Key_C),
                   &EditCommands::mnuCopy_Click, Place::EditClipboard, field);
    ui::addCommand(commands, this, "mnuPaste", tr("P&aste"), QKeySequence(Qt::CTRL | Qt::Key_V),
                   &EditCommands::mnuPaste_Click, Place::EditClipboard, field);
    ui::addCommand(commands, this, "mnuSelectAll", tr("Select A&ll"), QKeySequence(Qt::CTRL | Qt::Key_A),
                   &EditCommands::mnuSelectAll_Click, Place::EditClipboard, field);
}

void EditCommands::mnuUndo_Click() { m_pad.undo(); }
void EditCommands::mnuRedo_Click() { m_pad.redo(); }
void EditCommands::mnuCut_Click() { m_pad.cut(); }
void EditCommands::mnuCopy_Click() { m_pad.copy(); }
void EditCommands::mnuPaste_Click() { m_pad.paste(); }
void EditCommands::mnuSelectAll_Click() { m_pad.selectAll(); }

} // namespace jw
