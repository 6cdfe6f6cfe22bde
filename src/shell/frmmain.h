#pragma once

#include "base/windowposition.h"
#include "editing/search.h"
#include "pages/clsdata.h"
#include "pages/journal.h"
#include "pages/pagelist.h"
#include "ui/feature.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QPushButton;

namespace jw {

class CommandRegistry;
class FormatControls;
class HistoryKeeper;
class HotKeyCommands;
class MiniWindowCommands;
class PageKeeper;
class PagePlaces;
class PageFiles;
class SettingsStore;
class frmSplash;

namespace ui {
class ComboBox;
class RichTextEdit;
class TabStrip;
class TwoStateToolbar;
} // namespace ui

/// The main window: owns the pages' tab strip, the editor and everything
/// that lives for the whole run, and hosts the features, which bring their
/// own commands. It keeps its controls and state to itself; features get
/// the narrow interfaces of ui/feature.h.
class frmMain final : public QMainWindow, private ui::ICurrentPage, private ui::IHostWindow {
    Q_OBJECT

public:
    /// `store` and `files` outlive the window; tests pass temporary ones.
    frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent = nullptr);
    ~frmMain() override;

    /// Shows the splash and puts it on screen at once.
    static frmSplash *showSplash();
    /// The start-up sequence. A failing step is logged and skipped.
    /// `splash`: one already shown by showSplash(), else the load shows its own.
    void Form_Load(frmSplash *splash = nullptr);
    /// Says what start-up found (settings set aside or unreadable, a page
    /// that could not be read) and offers unsaved text from the recovery
    /// journal. Runs once the first window the user works with is shown.
    void tellStartNotices();
    /// The desktop session or a signal ends the program: the page is saved,
    /// or its text journaled when it cannot be, and the position recorded.
    void endSession(bool quit);
    /// Does a command handed over by a later start ("show"); returns the answer for it.
    QString handOverCommand(const QString &command);
    /// The captions of all tabs, first to last.
    QStringList tabCaptions() const;
    /// The splash while it is on the screen.
    frmSplash *splash() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // ui::ICurrentPage
    QString title() const override;
    QStringList titles() const override { return tabCaptions(); }
    bool save() override { return saveCurrentPage(); }
    bool switchTo(const QString &title) override;
    void showTitles(const QStringList &titles, const QString &current) override;
    void renamed(const QString &oldTitle, const QString &newTitle) override;
    void reload() override { loadCurrentPage(); }
    // ui::IHostWindow
    QWidget *toolOwner() override { return this; }
    QWidget *messageParent() override;
    void tell(const QString &text) override;
    bool atShortHeight() const override;
    void RestoreHeight() override;

    void buildControls();
    void buildFeatures();
    // Handlers. No save when the window gets the focus: the focus always
    // lands in one of its controls, and the hot key that shows it saves nothing.
    void Form_Paint();
    void Form_Resize();
    void Form_Unload();
    void mnuExit_Click();
    /// Whether the user may leave the page for tab `newIndex`: the page left
    /// is saved and the new one read.
    bool oTabs_BeforeClick(int newIndex);
    void oTabs_Click();

    void restorePosition();
    /// Shows `titles` as the tabs; `select` (1-based) becomes current.
    void setTabs(const QStringList &titles, int select);
    /// The selected tab's caption + ".rtf".
    QString currentPageFile() const;
    /// Writes the editor to the current page's file unless that would put
    /// an unread page's emptiness over its file. On failure the user is told
    /// which file and why, the text stays in the editor, and false is returned.
    bool saveCurrentPage();
    /// Puts a page into the editor as the saved state of the current page.
    void showPage(rtf::Document page);
    void nameEditor();
    /// Opens the current tab's page with the page loader (creating a missing
    /// file); a page that cannot be read is said, now or with the start notices.
    void loadCurrentPage();
    /// Whether the program may end: the page is saved, or its unsaved text
    /// is safe in the journal and the user chose to close anyway.
    bool mayClose();
    /// Tells of a version of the page kept aside by a save.
    void tellKeptAside(const clsData::Saved &saved);
    void offerRecovery();

    SettingsStore &m_store;
    const PageFiles &m_files;
    // What lives for the run.
    clsData oData;
    SearchState vSearch; ///< and iCursor
    qint32 iTop = 0;     ///< remembered mini-window corner, 0 = none
    qint32 iLeft = 0;
    qint16 iFullHeight = 4755;
    qint16 iShortHeight = 960;
    PageList m_pages;
    RecoveryJournal m_journal;
    std::unique_ptr<PageKeeper> m_keeper;
    std::unique_ptr<HistoryKeeper> m_history; ///< every version a write replaces
    std::unique_ptr<PagePlaces> m_places;     ///< each page's undo history and place
    QStringList m_startNotices;
    bool m_noticesTold = false; ///< later notices go straight to a message box
    WindowPosition m_position;
    QPointer<QWidget> m_splash;
    // A page read in BeforeClick, shown by Click once the tab has changed.
    std::optional<rtf::Document> m_pending;
    bool m_loaded = false;
    bool m_closing = false;

    // Controls.
    QWidget *m_client = nullptr;
    QPushButton *cmdShink = nullptr;
    ui::TabStrip *oTabs = nullptr;
    ui::RichTextEdit *txtPad = nullptr;
    ui::TwoStateToolbar *Toolbar1 = nullptr;
    ui::ComboBox *cmbFont = nullptr;
    ui::ComboBox *cmbFontSize = nullptr;

    // The features, last: they go before the state they were handed.
    std::unique_ptr<CommandRegistry> m_commands;
    std::vector<std::unique_ptr<QObject>> m_features;
    FormatControls *m_format = nullptr;
    HotKeyCommands *m_hotKeys = nullptr;
    MiniWindowCommands *m_mini = nullptr;
};

} // namespace jw
