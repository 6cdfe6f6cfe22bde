#pragma once

#include <QTabBar>

#include <functional>

namespace jw::ui {

/// The page tab strip, numbered from 1 like the classic control.
///
/// Every change the user makes (mouse, wheel, arrow keys, Ctrl+Tab,
/// Ctrl+Shift+Tab, Ctrl+PgDn, Ctrl+PgUp) goes through requestTab():
/// the BeforeClick handler first, with the old tab still selected and the
/// chance to refuse, then the change, then Click. Changes made through the program
/// methods raise nothing. Captions are shown literally: an '&' is not an
/// access key. The user can drag tabs into another order (TabMoved).
class TabStrip final : public QTabBar {
    Q_OBJECT

public:
    /// As designed: one tab without caption, selected.
    explicit TabStrip(QWidget *parent = nullptr);

    /// Caption of tab `index` (1-based); empty when there is no such tab.
    QString caption(int index) const;
    /// Sets the caption of tab `index` (1-based); ignored when out of range.
    void setCaption(int index, const QString &caption);
    /// Inserts a tab at `index` (1-based, 1..count()+1). The selected tab
    /// stays selected; the first tab into an empty strip becomes selected.
    void insertTab(int index, const QString &caption = {});
    /// Removes tab `index` (1-based); the later tabs move down one place.
    void removeTab(int index);
    /// Replaces every tab by one per caption and selects tab `select`
    /// (clamped), without raising BeforeClick or Click. Linear in the
    /// number of tabs, where inserting them one by one is quadratic.
    void setCaptions(const QStringList &captions, int select);
    /// Index (1-based) of the selected tab; 0 when the strip is empty.
    int selectedIndex() const;
    /// Selects tab `index` (1-based) without raising BeforeClick or Click.
    void selectTab(int index);

    /// Asked before the user's change to tab `newIndex`, while the old tab is
    /// still selected; the change happens only when it answers true.
    using BeforeClick = std::function<bool(int newIndex)>;
    void setBeforeClick(BeforeClick handler) { m_beforeClick = std::move(handler); }

    /// The user's way of changing tabs, also for callers acting for the
    /// user: asks BeforeClick, and unless refused selects `index` and
    /// raises Click. Does nothing for the selected tab or a bad index.
    /// Returns true when the selection changed.
    bool requestTab(int index);

Q_SIGNALS:
    /// The user has changed the selected tab.
    void Click();
    /// The user double-clicked tab `index`, which the first click selected;
    /// raised once the button is up.
    void DblClick(int index);
    /// The user asks for the strip's menu over tab `index` (0: no tab).
    void ContextMenu(int index, const QPoint &globalPos);
    /// The user dragged a tab to another place; the selected tab stays selected.
    void TabMoved();

protected:
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

private:
    enum class Mode { Idle, Program, Capture, User };

    void onCurrentChanged(int index);
    void step(int delta);

    BeforeClick m_beforeClick;
    Mode m_mode = Mode::Idle;
    int m_captured = -1;
    int m_stableIndex = -1;
    int m_doubleClicked = 0; ///< the tab of a double-click whose button is still down
    bool m_bulk = false;     // sizes are not asked while setCaptions fills the strip
};

} // namespace jw::ui
