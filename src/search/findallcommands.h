#pragma once

#include "search/frmfindall.h"

#include <QObject>
#include <QPointer>
#include <QTextEdit>

namespace jw {

class PageFiles;
class PageList;

namespace ui {
struct FeatureContext;
class ICurrentPage;
class IHostWindow;
class RichTextEdit;
} // namespace ui

namespace search {

/// Edit > Find in All Pages... (Ctrl+Shift+F, Ctrl+F) and F3 / Shift+F3: the
/// panel, and what opening a hit does to the pad: the page is switched the
/// usual way (the page left is saved), a removed page is offered back first,
/// the hit is selected and in view, and the keyboard is in the page. While
/// the panel is open the hits on the page shown are marked (display only).
class FindAllCommands final : public QObject {
    Q_OBJECT

public:
    /// `pages` and `files` outlive the feature.
    FindAllCommands(const ui::FeatureContext &context, PageList &pages, const PageFiles &files,
                    QObject *parent = nullptr);
    ~FindAllCommands() override;

    /// Opens the panel with the keyboard in its box.
    void mnuFindAll_Click();
    /// F3 and Shift+F3: the next or previous hit; the panel when there are none yet.
    void goToHit(int step);
    /// Opens `hit` of `page` in the pad.
    void openHit(const PageHits &page, Hit hit);

    /// The panel, once opened.
    frmFindAll *panel() const { return m_panel; }

private:
    frmFindAll &ensurePanel();
    /// Asks whether to bring the removed page `title` back; true once it is a tab.
    bool restore(const QString &title);
    /// Marks the hits in the part [from, to) of the page shown.
    QList<QTextEdit::ExtraSelection> marks(int from, int to) const;
    void panelClosed();

    ui::RichTextEdit &m_pad;
    ui::ICurrentPage &m_page;
    ui::IHostWindow &m_host;
    PageList &m_pages;
    const PageFiles &m_files;
    QPointer<frmFindAll> m_panel;
    int m_marks = 0; ///< the decorations provider while the panel is open
};

} // namespace search
} // namespace jw
