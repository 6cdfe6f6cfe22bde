#include "pages/printexport.h"

#include "editing/pageprinter.h"
#include "pages/pageexport.h"
#include "ui/feature.h"

namespace jw {

PrintExportCommands::PrintExportCommands(const ui::FeatureContext &context, QObject *parent)
    : QObject(parent), m_pad(context.editor), m_host(context.host), m_page(context.page)
{
    ui::addCommand(context.commands, this, "mnuPrint", tr("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P),
                   &PrintExportCommands::mnuPrint_Click, ui::Place::FilePrint);
    ui::addCommand(context.commands, this, "mnuSaveAs", tr("Save As..."), {}, &PrintExportCommands::mnuSaveAs_Click,
                   ui::Place::FileExport);
}

void PrintExportCommands::mnuPrint_Click() { printPage(m_host.toolOwner(), m_pad, m_page.title()); }

void PrintExportCommands::mnuSaveAs_Click() { exportPage(m_host.toolOwner(), m_pad, sSaveAsName, m_guard); }

} // namespace jw
