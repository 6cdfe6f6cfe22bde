// Edit menu commands that manage the pages.
#include "shell/frmmain.h"

#include "richtext/richtext.h"
#include "pages/clsdata.h"
#include "pages/frmaddtab.h"
#include "pages/frmrenametab.h"
#include "pages/pagelist.h"
#include "pages/pageops.h"
#include "base/ioerror.h"
#include "base/settingsstore.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

namespace jw {

void frmMain::mnuAddTab_Click()
{
    frmAddTab dialog(*this);
    dialog.exec();
}

void frmMain::mnuRename_Click()
{
    frmRenameTab dialog(*this);
    dialog.exec();
}

void frmMain::mnuRemoveTab_Click()
{
    const int p = oTabs->selectedIndex();
    if (p == 0)
        return;
    // With no page left there would be nothing to show or save into.
    if (oTabs->count() <= 1) {
        ui::MsgBox(this, QStringLiteral("You cannot remove the only tab."), QStringLiteral("Remove Tab"));
        return;
    }
    // The page's file stays on disk; it must hold the last edits, so that
    // adding the title again brings back everything.
    if (!saveCurrentPage())
        return;

    const QString sTitle = oTabs->caption(p);
    std::optional<SettingsEntries> entries;
    try {
        m_store.deleteEntry(kApp, kTabsSection, sTitle);
    } catch (const IoError &error) {
        ui::MsgBox(this, QStringLiteral("The page list could not be saved: %1.").arg(error.reason()));
        return;
    }
    try {
        if (const auto remaining = m_store.readSection(kApp, kTabsSection))
            m_store.writeEntries(kApp, kTabsSection, closeGap(*remaining, p));
        entries = m_store.readSection(kApp, kTabsSection);
    } catch (const IoError &error) {
        // Put the page back in its place so that the list still matches the tabs.
        try {
            m_store.write(kApp, kTabsSection, sTitle, QString::number(p));
        } catch (const IoError &) {
        }
        ui::MsgBox(this, QStringLiteral("The page list could not be saved: %1.").arg(error.reason()));
        return;
    }

    // Rebuild the strip from the list; the first tab into the empty strip becomes current.
    for (int i = oTabs->count(); i >= 1; --i)
        oTabs->removeTab(i);
    if (entries) {
        for (int i = 1; i <= entries->size(); ++i)
            oTabs->insertTab(i);
        const QStringList captions = tabCaptionsFromPageList(*entries);
        for (int i = 1; i <= captions.size(); ++i) {
            if (!captions.at(i - 1).isNull())
                oTabs->setCaption(i, captions.at(i - 1));
        }
    }

    if (oTabs->count() == 0 || !oData) {
        txtPad->setFromDocument({});
        txtPad->document()->setModified(false);
        return;
    }
    QString sFile = currentPageFile();
    try {
        oData->loadData(sFile);
    } catch (const IoError &error) {
        // The removed page's text must not stay in the editor to be saved under another title.
        txtPad->setFromDocument({});
        ui::MsgBox(this, QStringLiteral("The page \"%1\" could not be opened: %2.").arg(oTabs->caption(1), error.reason()));
    }
    txtPad->document()->setModified(false);
}

} // namespace jw
