#include "editing/searchcommands.h"

#include "editing/frmsearch.h"
#include "editing/search.h"
#include "ui/feature.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QWidget>

namespace jw {

SearchCommands::SearchCommands(const ui::FeatureContext &context, SearchState &state, QObject *parent)
    : QObject(parent), m_pad(context.editor), m_host(context.host), m_state(state)
{
    ui::addCommand(context.commands, this, "mnuSearch", tr("S&earch"), QKeySequence(Qt::CTRL | Qt::Key_E),
                   &SearchCommands::mnuSearch_Click, ui::Place::EditFind);
    ui::addCommand(context.commands, this, "mnuNext", tr("F&ind Next"), QKeySequence(Qt::CTRL | Qt::Key_N),
                   &SearchCommands::mnuNext_Click, ui::Place::EditFind);
}

void SearchCommands::mnuSearch_Click()
{
    {
        frmSearch dialog(m_host.toolOwner(), m_pad, m_state);
        dialog.exec();
    }
    // Back to the pad, with the match selected.
    m_host.toolOwner()->activateWindow();
}

void SearchCommands::mnuNext_Click()
{
    // A window left at its short height is opened up so the match shows.
    if (m_host.atShortHeight())
        m_host.RestoreHeight();
    if (!m_state.hasSearch()) {
        // Nothing has been found yet: ask for the text instead of finding an empty one.
        mnuSearch_Click();
        return;
    }
    if (const auto match = m_state.next(m_pad.Text())) {
        selectMatch(m_pad, match->start, match->length);
        m_pad.setFocus();
    } else {
        ui::MsgBox(m_host.toolOwner(), tr("Reached end of document."));
    }
}

} // namespace jw
