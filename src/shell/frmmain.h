#pragma once

#include "richtext/richtext.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPushButton;

namespace jw {

class PageFiles;
class SettingsStore;
class clsData;
class IoError;
class frmMin;
class frmSplash;
class cRegHotKey;

namespace ui {
class ComboBox;
class RichTextEdit;
class TabStrip;
class TwoStateToolbar;
} // namespace ui

/// The main window: owns the pages' tab strip, the editor and everything
/// that lives for the whole run.
class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    /// `store` and `files` outlive the window; tests pass temporary ones.
    frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent = nullptr);
    ~frmMain() override;

    /// The start-up sequence. Every failing step is skipped.
    void Form_Load();

    // State shared with the other windows.
    std::unique_ptr<cRegHotKey> m_cHK;
    std::unique_ptr<clsData> oData;
    qint32 iTop = 0;
    qint32 iLeft = 0;
    qint16 iFullHeight = 4755;
    qint16 iShortHeight = 960;
    qint64 iCursor = 0;
    QString vSearch;

    // Controls, named as the rest of the program knows them.
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
    QAction *mnuSearch = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuAddTab = nullptr;
    QAction *mnuRemoveTab = nullptr;
    QAction *mnuRename = nullptr;
    QAction *mnuHide = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuHelpTopics = nullptr;

    /// The selected tab's caption + ".rtf".
    QString currentPageFile() const;

    /// Writes the editor to the current page's file. On failure the user is
    /// told which file and why, the text stays in the editor, and false is
    /// returned so the caller does not go on as if it had been saved.
    bool saveCurrentPage();

    /// Sets the window's height back to iFullHeight.
    void RestoreHeight();

    /// The mini window, created (and placed by its own load) on first use.
    frmMin &miniWindow();
    /// The mini window when it has been created.
    frmMin *existingMiniWindow() const { return m_min.get(); }
    /// The splash while it is on the screen.
    frmSplash *splash() const;
    /// True once the program has begun to end.
    bool isClosing() const { return m_closing; }

    // --- Page operations (add, rename, remove): members of those commands go here.

    // --- Search, export and printing: members of those commands go here.
    /// The file chosen by the last Save As of this run; the dialog opens with it.
    QString sSaveAsName;

    // --- Help and About: members of those commands go here.

    SettingsStore &store() const { return m_store; }
    const PageFiles &files() const { return m_files; }

    // Handlers.
    void Form_Paint();
    void Form_Resize();
    void Form_GotFocus();
    void Form_Unload();
    void cmdShink_Click();
    void m_cHK_HotKeyPress(const QString &sName, qint32 eModifiers, qint32 eKey);
    void mnuSave_Click();
    void mnuExit_Click();
    void mnuPrint_Click();
    void mnuSaveAs_Click();
    void mnuSearch_Click();
    void mnuNext_Click();
    void mnuAddTab_Click();
    void mnuRemoveTab_Click();
    void mnuRename_Click();
    void mnuHide_Click();
    void mnuAbout_Click();
    void mnuHelpTopics_Click();
    void oTabs_BeforeClick(int newIndex, bool *cancel);
    void oTabs_Click();
    void Toolbar1_ButtonClick(int index);
    void cmbFont_Click();
    void cmbFontSize_Click();
    void txtPad_SelChange();

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void ConvertOldPages();
    void registerHotKeys();
    void loadPageList();
    void restorePosition();
    void fillFontList();
    void showSaveError(const QString &fileName, const IoError &error);

    SettingsStore &m_store;
    const PageFiles &m_files;
    std::unique_ptr<frmMin> m_min;
    QPointer<QWidget> m_splash;
    QWidget *m_client = nullptr;
    // A page read in BeforeClick, shown by Click once the tab has changed.
    std::optional<rtf::Document> m_pending;
    QStringList m_fontNames;
    QStringList m_sizeNames;
    bool m_paintQueued = false;
    QTimer m_moveSettled;
    bool m_loaded = false;
    bool m_closing = false;
};

} // namespace jw
