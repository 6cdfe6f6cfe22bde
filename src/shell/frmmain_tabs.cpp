// The tab strip's own ways to the page commands: double-click, its menu and
// dragging tabs into another order.
#include "shell/frmmain.h"

#include "pages/frmaddtab.h"
#include "ui/tabstrip.h"

#include <QAction>
#include <QMenu>

namespace jw {

void frmMain::oTabs_DblClick(int index)
{
    if (index == oTabs->selectedIndex())
        mnuRename_Click();
}

void frmMain::oTabs_ContextMenu(int index, const QPoint &globalPos)
{
    // Rename and Remove work on the current page: the tab under the pointer
    // becomes current first, through the switch that saves the page left.
    if (index > 0 && index != oTabs->selectedIndex() && !oTabs->requestTab(index))
        return;
    QMenu menu(this);
    menu.addAction(mnuAddTab);
    menu.addAction(mnuRename);
    menu.addAction(mnuRemoveTab);
    menu.exec(globalPos);
}

void frmMain::oTabs_TabMoved()
{
    const QString current = oTabs->caption(oTabs->selectedIndex());
    const PageResult result = m_pages.reorder(tabCaptions());
    // A list that could not be written is said; the tabs stay as dragged.
    if (!showPageResult(this, result))
        return;
    // Another running copy may have added pages meanwhile.
    if (result.titles != tabCaptions())
        setTabs(result.titles, int(result.titles.indexOf(current)) + 1);
}

} // namespace jw
