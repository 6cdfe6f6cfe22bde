// The Help menu.
#include "dialogs/frmabout.h"
#include "dialogs/frmhelp.h"
#include "dialogs/helpfile.h"
#include "dialogs/registry/iregistry.h"
#include "shell/frmmain.h"

namespace jw {

void frmMain::mnuAbout_Click()
{
    const std::unique_ptr<registry::IRegistry> systemRegistry = registry::systemRegistry();
    frmAbout box(*this, *systemRegistry, &frmAbout::startDetached);
    box.exec();
}

void frmMain::mnuHelpTopics_Click()
{
    showHelp(this, helpFilePath());
}

} // namespace jw
