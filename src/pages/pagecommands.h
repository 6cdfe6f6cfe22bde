#pragma once

#include "pages/pagehistory.h"
#include "pages/pagelist.h"

#include <QObject>

class QAction;
class QPoint;

namespace jw {

class IPageVersions;
class PageFiles;

namespace ui {
struct FeatureContext;
class ICurrentPage;
class IHostWindow;
class RichTextEdit;
class TabStrip;
} // namespace ui

/// The page commands: Save, Add Tab, Remove Tab, Rename Tab and Restore
/// Removed Page, and the tab strip's own ways to them (double-click, its
/// menu, dragging a tab into another place).
class PageCommands final : public QObject {
    Q_OBJECT

public:
    /// `pages` and `files` outlive the feature.
    PageCommands(const ui::FeatureContext &context, PageList &pages, const PageFiles &files, QObject *parent = nullptr);

    /// Where renamed and removed pages leave their text, and what Restore
    /// Removed Page offers besides the page files; none by default.
    void setVersions(IPageVersions *versions) { m_versions = versions; }

    void mnuSave_Click();
    void mnuAddTab_Click();
    void mnuRemoveTab_Click();
    void mnuRename_Click();
    void mnuRestorePage_Click();
    /// A double-click on tab `index` (already selected by its first click) renames it.
    void oTabs_DblClick(int index);
    /// The tab strip's menu: Add, Rename and Remove.
    void oTabs_ContextMenu(int index, const QPoint &globalPos);
    /// The user dragged a tab to another place: the page list follows.
    void oTabs_TabMoved();

private:
    /// Adds page `title` as the last tab; the current page stays current.
    PageResult addPage(const QString &title);
    /// The removed pages: their files, and pages known only by their history.
    QList<StoredPage> removed() const;
    /// Page History of a removed page; a version restored brings the page
    /// back with it (and true is returned).
    bool removedHistory(const QString &title);
    /// The file of `title` leaves the page but stays: its text goes to the history.
    void keepLeaving(const QString &title, PageHistory::Reason reason);

    ui::TabStrip &m_tabs;
    ui::RichTextEdit &m_pad;
    ui::ICurrentPage &m_page;
    ui::IHostWindow &m_host;
    PageList &m_pages;
    const PageFiles &m_files;
    IPageVersions *m_versions = nullptr;
    QAction *m_add = nullptr;
    QAction *m_remove = nullptr;
    QAction *m_rename = nullptr;
};

} // namespace jw
