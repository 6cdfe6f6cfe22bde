#include "pages/pagecommands.h"

#include "pages/frmaddtab.h"
#include "pages/frmrenametab.h"
#include "pages/frmrestorepage.h"
#include "pages/pagefiles.h"
#include "pages/pageversions.h"
#include "ui/feature.h"
#include "base/ioerror.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QMenu>

namespace jw {

PageCommands::PageCommands(const ui::FeatureContext &context, PageList &pages, const PageFiles &files, QObject *parent)
    : QObject(parent), m_tabs(context.tabs), m_pad(context.editor), m_page(context.page), m_host(context.host),
      m_pages(pages), m_files(files)
{
    using ui::Place;
    ui::ICommands &commands = context.commands;
    ui::addCommand(commands, this, "mnuSave", tr("S&ave"), QKeySequence(Qt::CTRL | Qt::Key_S),
                   &PageCommands::mnuSave_Click, Place::FileSave);
    m_add = ui::addCommand(commands, this, "mnuAddTab", tr("Add &Tab"), QKeySequence(Qt::CTRL | Qt::Key_T),
                           &PageCommands::mnuAddTab_Click, Place::EditPages);
    m_remove = ui::addCommand(commands, this, "mnuRemoveTab", tr("R&emove Tab"), QKeySequence(Qt::CTRL | Qt::Key_R),
                              &PageCommands::mnuRemoveTab_Click, Place::EditPages);
    m_rename = ui::addCommand(commands, this, "mnuRename", tr("Re&name Tab"), {}, &PageCommands::mnuRename_Click,
                              Place::EditPages);
    ui::addCommand(commands, this, "mnuRestorePage", tr("Restore Removed &Page..."), {},
                   &PageCommands::mnuRestorePage_Click, Place::EditPages);
    connect(&m_tabs, &ui::TabStrip::DblClick, this, &PageCommands::oTabs_DblClick);
    connect(&m_tabs, &ui::TabStrip::ContextMenu, this, &PageCommands::oTabs_ContextMenu);
    connect(&m_tabs, &ui::TabStrip::TabMoved, this, &PageCommands::oTabs_TabMoved);
}

void PageCommands::mnuSave_Click() { m_page.save(); }

PageResult PageCommands::addPage(const QString &title)
{
    const QString current = m_page.title();
    const PageResult result = m_pages.add(title, m_page.titles());
    // The page that was current stays current.
    if (result.done())
        m_page.showTitles(result.titles, current);
    return result;
}

void PageCommands::mnuAddTab_Click()
{
    frmAddTab dialog(m_host.toolOwner(), [this](const QString &sTitle) { return addPage(sTitle); });
    dialog.exec();
}

void PageCommands::mnuRename_Click()
{
    frmRenameTab dialog(m_host.toolOwner(), m_page.title(), [this](const QString &sNew) {
        const QString old = m_page.title();
        keepLeaving(old, PageHistory::Reason::Renamed);
        // The whole page with its formatting goes to the new title's file.
        const PageResult result = m_pages.rename(old, sNew, m_page.titles(), m_pad.toDocument());
        if (result.done() && result.title != old) {
            m_page.showTitles(result.titles, result.title);
            m_page.renamed(old, result.title);
        }
        return result;
    });
    dialog.exec();
}

void PageCommands::mnuRemoveTab_Click()
{
    QWidget *owner = m_host.toolOwner();
    if (m_tabs.count() <= 1) {
        ui::MsgBox(owner, tr("You cannot remove the only tab."), tr("Remove Tab"));
        return;
    }
    // The page's file stays on disk; it must hold the last edits, so that
    // adding the title again brings back everything.
    if (!m_page.save())
        return;
    const QString title = m_page.title();
    const PageResult result = m_pages.remove(title);
    if (!showPageResult(owner, result))
        return;
    keepLeaving(title, PageHistory::Reason::Removed);
    // The first page becomes current.
    m_page.showTitles(result.titles, result.titles.value(0));
    m_page.reload();
}

void PageCommands::keepLeaving(const QString &title, PageHistory::Reason reason)
{
    try {
        if (m_versions)
            m_versions->keepLeaving(title, m_files.path(pageFileName(title)), reason);
    } catch (const IoError &) {
        // A title that is no file name has no file to keep.
    }
}

QList<StoredPage> PageCommands::removed() const
{
    const QStringList tabs = m_page.titles();
    QList<StoredPage> pages = removedPages(m_files, tabs);
    if (!m_versions)
        return pages;
    for (const PageHistory::Page &page : m_versions->pagesWithHistory()) {
        const auto listed = [&page](const QString &title) {
            return title.compare(page.title, Qt::CaseInsensitive) == 0;
        };
        if (std::none_of(tabs.begin(), tabs.end(), listed)
            && std::none_of(pages.begin(), pages.end(), [&](const StoredPage &p) { return listed(p.title); }))
            pages.append({page.title, page.newest.toLocalTime()});
    }
    std::stable_sort(pages.begin(), pages.end(),
                     [](const StoredPage &a, const StoredPage &b) { return a.modified > b.modified; });
    return pages;
}

bool PageCommands::removedHistory(const QString &title)
{
    bool restored = false;
    rtf::Document now;
    try {
        if (m_files.fileExists(pageFileName(title)))
            now = m_files.readPage(pageFileName(title));
    } catch (const IoError &) {
        // Compared with an empty page; the versions show what they hold.
    }
    m_versions->browse(m_host.toolOwner(), title, now, [this, title, &restored](const rtf::Document &version) {
        const PageResult added = addPage(title);
        if (!showPageResult(m_host.toolOwner(), added) || !m_page.switchTo(added.title))
            return false;
        m_versions->restoreIntoEditor(version);
        restored = true;
        return true;
    });
    return restored;
}

void PageCommands::mnuRestorePage_Click()
{
    frmRestorePage dialog(m_host.toolOwner(), removed(), [this](const QString &sTitle) { return addPage(sTitle); });
    if (m_versions)
        dialog.setShowHistory([this](const QString &title) { return removedHistory(title); });
    dialog.exec();
}

void PageCommands::oTabs_DblClick(int index)
{
    if (index == m_tabs.selectedIndex())
        mnuRename_Click();
}

void PageCommands::oTabs_ContextMenu(int index, const QPoint &globalPos)
{
    // Rename and Remove work on the current page: the tab under the pointer
    // becomes current first, through the switch that saves the page left.
    if (index > 0 && index != m_tabs.selectedIndex() && !m_tabs.requestTab(index))
        return;
    QMenu menu(m_host.toolOwner());
    menu.addAction(m_add);
    menu.addAction(m_rename);
    menu.addAction(m_remove);
    menu.exec(globalPos);
}

void PageCommands::oTabs_TabMoved()
{
    const QString current = m_page.title();
    const PageResult result = m_pages.reorder(m_page.titles());
    // A list that could not be written is said; the tabs stay as dragged.
    if (!showPageResult(m_host.toolOwner(), result))
        return;
    // Another running copy may have added pages meanwhile.
    if (result.titles != m_page.titles())
        m_page.showTitles(result.titles, current);
}

} // namespace jw
