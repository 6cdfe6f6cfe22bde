#include "about/helpcommands.h"

#include "about/frmabout.h"
#include "about/frmhelp.h"
#include "about/helpfile.h"
#include "about/platform/iregistry.h"
#include "ui/feature.h"

#include <memory>

namespace jw {

HelpCommands::HelpCommands(ui::ICommands &commands, ui::IHostWindow &host, std::function<QKeySequence()> hotKey,
                           QObject *parent)
    : QObject(parent), m_host(host), m_hotKey(std::move(hotKey))
{
    ui::addCommand(commands, this, "mnuAbout", tr("A&bout"), {}, &HelpCommands::mnuAbout_Click, ui::Place::HelpAbout);
    ui::addCommand(commands, this, "mnuHelpTopics", tr("H&elp Topics"), QKeySequence(Qt::Key_F1),
                   &HelpCommands::mnuHelpTopics_Click, ui::Place::HelpTopics);
}

void HelpCommands::mnuAbout_Click()
{
    const std::unique_ptr<registry::IRegistry> systemRegistry = registry::systemRegistry();
    frmAbout box(*m_host.toolOwner(), *systemRegistry, &frmAbout::startDetached, m_hotKey());
    box.exec();
}

void HelpCommands::mnuHelpTopics_Click() { showHelp(m_host.toolOwner(), helpFilePath()); }

} // namespace jw
