#pragma once

#include "base/windowposition.h"
#include "editing/search.h"
#include "pages/clsdata.h"
#include "pages/journal.h"
#include "pages/pagelist.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPushButton;

namespace jw {

class FormatControls;
class PageKeeper;
class PageFiles;
class SettingsStore;
class cRegHotKey;
class frmMin;
class frmSplash;

namespace ui {
class ComboBox;
class RichTextEdit;
class TabStrip;
class TwoStateToolbar;
} // namespace ui

/// The main window: owns the pages' tab strip, the editor and everything
/// that lives for the whole run. Its handlers carry the user's commands to
/// the page, search and window rules and show what they answer.
class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    /// `store` and `files` outlive the window; tests pass temporary ones.
    frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent = nullptr);
    ~frmMain() override;

    /// The start-up sequence. A failing step is logged and skipped.
    void Form_Load();

    // What lives for the run.
    std::unique_ptr<cRegHotKey> m_cHK;
    clsData oData;
    SearchState m_search; ///< vSearch and iCursor
    qint32 iTop = 0;      ///< remembered mini-window corner, 0 = none
    qint32 iLeft = 0;
    qint16 iFullHeight = 4755;
    qint16 iShortHeight = 960;
    /// The file chosen by the last Save As of this run; the dialog opens with it.
    QString sSaveAsName;

    // Controls.
    QPushButton *cmdShink = nullptr;
    ui::TabStrip *oTabs = nullptr;
    ui::RichTextEdit *txtPad = nullptr;
    ui::TwoStateToolbar *Toolbar1 = nullptr;
    ui::ComboBox *cmbFont = nullptr;
    ui::ComboBox *cmbFontSize = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuEdit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *mnuSearch = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuAddTab = nullptr;
    QAction *mnuRemoveTab = nullptr;
    QAction *mnuRename = nullptr;
    QAction *mnuRestorePage = nullptr;
    QAction *mnuHotKey = nullptr;
    QAction *mnuHide = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuHelpTopics = nullptr;

    /// The selected tab's caption + ".rtf".
    QString currentPageFile() const;
    /// The captions of all tabs, first to last.
    QStringList tabCaptions() const;

    /// Writes the editor to the current page's file unless that would put
    /// an unread page's emptiness over its file. On failure the user is told
    /// which file and why, the text stays in the editor, and false is returned.
    bool saveCurrentPage();

    /// Says what start-up found (settings set aside or unreadable, a page
    /// that could not be read) and offers unsaved text from the recovery
    /// journal. Runs once the first window the user works with is shown.
    void tellStartNotices();
    /// The desktop session or a signal ends the program: the page is saved,
    /// or its text journaled when it cannot be, and the position recorded.
    void endSession(bool quit);
    /// A command handed over by a later start ("show").
    void handOverCommand(const QString &command, QString *answer);

    /// Sets the window's height back to iFullHeight.
    void RestoreHeight();

    /// The mini window, created (and placed by its own load) on first use.
    frmMin &miniWindow();
    frmMin *existingMiniWindow() const { return m_min.get(); }
    /// The splash while it is on the screen.
    frmSplash *splash() const;

    // Handlers.
    void Form_Paint();
    void Form_Resize();
    void Form_GotFocus();
    void Form_Unload();
    void cmdShink_Click();
    /// The mini window's expand button.
    void expandFromMini();
    void m_cHK_HotKeyPress(const QString &sName, qint32 eModifiers, qint32 eKey);
    void mnuSave_Click();
    void mnuExit_Click();
    void mnuPrint_Click();
    void mnuSaveAs_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuSelectAll_Click();
    void mnuSearch_Click();
    void mnuNext_Click();
    void mnuAddTab_Click();
    void mnuRemoveTab_Click();
    void mnuRename_Click();
    void mnuRestorePage_Click();
    void mnuHotKey_Click();
    /// The combination that shows and hides the pad; empty while none is registered.
    QKeySequence hotKey() const { return m_hotKey; }
    void mnuHide_Click();
    void mnuAbout_Click();
    void mnuHelpTopics_Click();
    void oTabs_BeforeClick(int newIndex, bool *cancel);
    void oTabs_Click();
    /// A double-click on tab `index` (already selected by its first click) renames it.
    void oTabs_DblClick(int index);
    /// The right-click menu of the tab strip: Add, Rename and Remove.
    void oTabs_ContextMenu(int index, const QPoint &globalPos);
    /// The user dragged a tab to another place: the page list follows.
    void oTabs_TabMoved();
    void Toolbar1_ButtonClick(int index);
    void cmbFont_Click();
    void cmbFontSize_Click();
    void cmbFont_Entered();
    void cmbFontSize_Entered();
    void txtPad_SelChange();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void registerHotKeys();
    /// Registers `keys` as the show/hide hot key in place of the current one.
    /// Returns why it could not; the current one then stays.
    QString useHotKey(const QKeySequence &keys);
    /// Asks the desktop's shortcut service for `keys` where the pad cannot
    /// grab them; `problem` is said when that fails too.
    void usePortal(const QKeySequence &keys, const QString &problem);
    void tellHotKeyUnavailable(const QString &problem);
    /// Shows the main window, restored from a minimise and raised.
    void bringBack();
    /// With Hide on Minimize ticked, the title bar's minimise shrinks instead.
    void hideMinimized();
    void restorePosition();
    /// Shows `titles` as the tabs; `select` (1-based) becomes current.
    void setTabs(const QStringList &titles, int select);
    /// Puts a page into the editor as the saved state of the current page.
    void showPage(const rtf::Document &page);
    /// Opens the current tab's page with the page loader (creating a missing
    /// file); a page that cannot be read is said, now or with the start notices.
    void loadCurrentPage();
    /// Whether the program may end: the page is saved, or its unsaved text
    /// is safe in the journal and the user chose to close anyway.
    bool mayClose();
    /// Tells of a version of the page kept aside by a save.
    void tellKeptAside(const clsData::Saved &saved);
    void offerRecovery();
    /// The window a message goes above: the main window, else the mini window.
    QWidget *messageParent();

    SettingsStore &m_store;
    QKeySequence m_hotKey;
    const PageFiles &m_files;
    PageList m_pages;
    RecoveryJournal m_journal;
    std::unique_ptr<PageKeeper> m_keeper;
    QStringList m_startNotices;
    bool m_noticesTold = false; ///< later notices go straight to a message box
    WindowPosition m_position;
    std::unique_ptr<frmMin> m_min;
    QPointer<QWidget> m_splash;
    QWidget *m_client = nullptr;
    // A page read in BeforeClick, shown by Click once the tab has changed.
    std::optional<rtf::Document> m_pending;
    std::unique_ptr<FormatControls> m_format;
    bool m_loaded = false;
    bool m_closing = false;
};

} // namespace jw
