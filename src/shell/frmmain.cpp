#include "shell/frmmain.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/placement.h"
#include "base/settingsstore.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmhelp.h"
#include "dialogs/frmsplash.h"
#include "dialogs/helpfile.h"
#include "dialogs/registry/iregistry.h"
#include "editing/formatcontrols.h"
#include "editing/frmsearch.h"
#include "editing/pageprinter.h"
#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/mini/frmmin.h"
#include "hotkeys/mini/windowswap.h"
#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "pages/frmaddtab.h"
#include "pages/frmrenametab.h"
#include "pages/pageexport.h"
#include "pages/pagefiles.h"
#include "ui/combobox.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/positionrecorder.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSessionManager>

#include <algorithm>

namespace jw {

frmMain::frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent)
    : QMainWindow(parent), oData(files), m_store(store), m_files(files), m_pages(store, files), m_position(store)
{
    setWindowTitle(QStringLiteral("Jotwell Pro"));
    setWindowIcon(ui::programIcon());
    buildControls();
    buildMenus();
    // The designed client area lies below the menu bar.
    resize(ui::toPixelsX(this, 4680), ui::toPixelsY(this, 4515) + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
    new ui::PositionRecorder(this, [this] { Form_Paint(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        // The desktop session is ending: the page must not lose its last edits.
        if (!saveCurrentPage() && manager.allowsInteraction())
            manager.cancel();
    });
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------- start-up

void frmMain::Form_Load()
{
    try {
        ConvertDatPages(m_store, m_files);
    } catch (const IoError &error) {
        qCWarning(lcPages) << "old page files not converted:" << error.what();
    }
    registerHotKeys();
    const QStringList titles = m_pages.load();
    // The current page after start-up is the last one.
    setTabs(titles, int(titles.size()));
    restorePosition();
    hide();
    auto *splash = new frmSplash([this] { miniWindow().show(); });
    m_splash = splash;
    splash->show();
    splash->activateWindow();
    iFullHeight = 4755;
    iShortHeight = 960;
    iTop = 0;
    iLeft = 0;
    loadCurrentPage();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_format->fillFontList();
    // Whoever opens the window first (expand button or Alt+V) finds the caret in the page.
    txtPad->setFocus();
    m_loaded = true;
}

void frmMain::registerHotKeys()
{
    m_cHK = std::make_unique<cRegHotKey>(createHotKeyPlatform());
    m_cHK->HotKeyPress = [this](const std::string &sName, std::int32_t eModifiers, std::int32_t eKey) {
        m_cHK_HotKeyPress(QString::fromStdString(sName), eModifiers, eKey);
    };
    m_cHK->Attach(static_cast<std::intptr_t>(winId()));
    try {
        m_cHK->RegisterKey("JotwellVisible", 86, 1); // Alt+V
    } catch (const HotKeyError &error) {
        // The pad works without the key.
        qCWarning(lcHotKeys) << "Alt+V is not available:" << error.what();
    }
}

void frmMain::restorePosition()
{
    const WindowPosition::Stored stored = m_position.read();
    if (!stored.exists) {
        ui::setTop(this, 1);
        ui::setLeft(this, 1);
        return;
    }
    // A missing or unreadable coordinate keeps its designed value.
    if (stored.top)
        ui::setTop(this, *stored.top);
    if (stored.left)
        ui::setLeft(this, *stored.left);
    if (stored.width)
        ui::setWidth(this, *stored.width);
    if (stored.height)
        ui::setHeight(this, *stored.height);
}

// ------------------------------------------------------------------- pages

QString frmMain::currentPageFile() const
{
    return pageFileName(oTabs->caption(oTabs->selectedIndex()));
}

QStringList frmMain::tabCaptions() const
{
    QStringList captions;
    for (int i = 1; i <= oTabs->count(); ++i)
        captions << oTabs->caption(i);
    return captions;
}

void frmMain::setTabs(const QStringList &titles, int select)
{
    for (int i = oTabs->count(); i >= 1; --i)
        oTabs->removeTab(i);
    for (int i = 0; i < titles.size(); ++i)
        oTabs->insertTab(i + 1, titles.at(i));
    oTabs->selectTab(std::clamp(select, 1, int(titles.size())));
}

void frmMain::showPage(const rtf::Document &page)
{
    txtPad->setFromDocument(page);
    txtPad->document()->setModified(false);
}

void frmMain::loadCurrentPage()
{
    const clsData::Opened opened = oData.loadData(currentPageFile());
    // A page that cannot be read shows empty; the guard keeps its file.
    showPage(opened.page.value_or(rtf::Document{}));
}

bool frmMain::saveCurrentPage()
{
    const clsData::Saved saved =
        oData.save(txtPad->document()->isModified(), [this] { return txtPad->toDocument(); });
    if (saved.written)
        txtPad->document()->setModified(false);
    if (saved.error.isEmpty())
        return true;
    QWidget *parent = isVisible() ? this : (m_min && m_min->isVisible() ? static_cast<QWidget *>(m_min.get()) : nullptr);
    ui::MsgBox(parent, QStringLiteral("The page could not be saved to \"%1\": %2.").arg(oData.currentFile(), saved.error));
    return false;
}

void frmMain::mnuSave_Click()
{
    saveCurrentPage();
}

void frmMain::oTabs_BeforeClick(int newIndex, bool *cancel)
{
    if (!saveCurrentPage()) {
        *cancel = true;
        return;
    }
    // Read the new page before the tab changes: a page that cannot be read
    // must not receive the text still in the editor at the next save.
    const QString title = oTabs->caption(newIndex);
    clsData::Opened opened = oData.switchTo(pageFileName(title));
    if (!opened.page) {
        *cancel = true;
        ui::MsgBox(this, QStringLiteral("The page \"%1\" could not be opened: %2.").arg(title, opened.error));
        return;
    }
    m_pending = std::move(opened.page);
}

void frmMain::oTabs_Click()
{
    if (m_pending) {
        showPage(*m_pending);
        m_pending.reset();
    }
    txtPad->setFocus();
}

void frmMain::mnuAddTab_Click()
{
    frmAddTab dialog(this, [this](const QString &sTitle) {
        const QString current = oTabs->caption(oTabs->selectedIndex());
        const PageResult result = m_pages.add(sTitle, tabCaptions());
        // The page that was current stays current.
        if (result.done())
            setTabs(result.titles, int(result.titles.indexOf(current)) + 1);
        return result;
    });
    dialog.exec();
}

void frmMain::mnuRename_Click()
{
    frmRenameTab dialog(this, [this](const QString &sNew) {
        const QString old = oTabs->caption(oTabs->selectedIndex());
        // The whole page with its formatting goes to the new title's file.
        const PageResult result = m_pages.rename(old, sNew, tabCaptions(), txtPad->toDocument());
        if (result.done()) {
            setTabs(result.titles, int(result.titles.indexOf(sNew)) + 1);
            oData.renamedTo(pageFileName(sNew));
            txtPad->document()->setModified(false);
        }
        return result;
    });
    dialog.exec();
}

void frmMain::mnuRemoveTab_Click()
{
    if (oTabs->count() <= 1) {
        ui::MsgBox(this, QStringLiteral("You cannot remove the only tab."), QStringLiteral("Remove Tab"));
        return;
    }
    // The page's file stays on disk; it must hold the last edits, so that
    // adding the title again brings back everything.
    if (!saveCurrentPage())
        return;
    const PageResult result = m_pages.remove(oTabs->caption(oTabs->selectedIndex()));
    if (!showPageResult(this, result))
        return;
    // The first page becomes current.
    setTabs(result.titles, 1);
    loadCurrentPage();
}

void frmMain::mnuSaveAs_Click()
{
    exportPage(this, *txtPad, sSaveAsName);
}

// ---------------------------------------------------- search and printing

void frmMain::mnuSearch_Click()
{
    {
        frmSearch dialog(this, *txtPad, m_search);
        dialog.exec();
    }
    // Back to the pad, with the match selected.
    activateWindow();
}

void frmMain::mnuNext_Click()
{
    // A window left at its short height is opened up so the match shows.
    // Compared in whole pixels: a window cannot take 960 twips exactly at every DPI.
    if (ui::toPixelsY(this, ui::Height(this)) == ui::toPixelsY(this, iShortHeight))
        RestoreHeight();
    if (!m_search.hasSearch()) {
        // Nothing has been found yet: ask for the text instead of finding an empty one.
        mnuSearch_Click();
        return;
    }
    if (const auto match = m_search.next(txtPad->Text())) {
        selectMatch(*txtPad, match->start, match->length);
        txtPad->setFocus();
    } else {
        ui::MsgBox(this, QStringLiteral("Reached end of document."));
    }
}

void frmMain::mnuPrint_Click()
{
    printPage(this, *txtPad);
}

void frmMain::RestoreHeight()
{
    ui::setHeight(this, iFullHeight);
}

// ------------------------------------------------------------- lifecycle

void frmMain::Form_Paint()
{
    if (m_loaded && isVisible())
        m_position.recordAll(ui::Top(this), ui::Left(this), ui::Width(this), ui::Height(this));
}

void frmMain::focusInEvent(QFocusEvent *event)
{
    QMainWindow::focusInEvent(event);
    Form_GotFocus();
}

void frmMain::Form_GotFocus()
{
    if (m_loaded)
        saveCurrentPage();
}

void frmMain::mnuExit_Click()
{
    if (!saveCurrentPage())
        return;
    m_closing = true;
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing by the close box keeps the last edits too; a page that cannot be
    // written keeps the program open so that nothing is thrown away.
    if (!m_closing && m_loaded && !saveCurrentPage()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload()
{
    m_closing = true;
    if (m_min)
        m_min->close();
    if (m_splash)
        m_splash->close();
    hide();
    QCoreApplication::quit();
}

frmMin &frmMain::miniWindow()
{
    if (!m_min) {
        m_min = std::make_unique<frmMin>(m_position, frmMin::Actions{[this] { expandFromMini(); },
                                                                      [this] { return m_closing || close(); }});
    }
    return *m_min;
}

frmSplash *frmMain::splash() const
{
    return qobject_cast<frmSplash *>(m_splash.data());
}

// ------------------------------------------------------------ mini window

void frmMain::cmdShink_Click()
{
    frmMin &mini = miniWindow();
    const Corner corner = shrinkPlacement({ui::Top(this), ui::Left(this)}, iTop, iLeft);
    ui::setTop(&mini, corner.top);
    ui::setLeft(&mini, corner.left);
    hide();
    if (!mnuHide->isChecked())
        mini.show();
    saveCurrentPage();
}

void frmMain::expandFromMini()
{
    frmMin &mini = miniWindow();
    const ExpandPlacement place =
        expandPlacement({ui::Top(&mini), ui::Left(&mini)}, ui::ScreenWidth(&mini), ui::ScreenHeight(&mini));
    if (place.rememberTop != 0)
        iTop = place.rememberTop;
    if (place.rememberLeft != 0)
        iLeft = place.rememberLeft;
    ui::setTop(this, place.main.top);
    ui::setLeft(this, place.main.left);
    mini.hide();
    show();
    activateWindow();
    txtPad->setFocus();
}

void frmMain::m_cHK_HotKeyPress(const QString &sName, qint32, qint32)
{
    switch (hotKeyAction(sName, mnuHide->isChecked(), isVisible())) {
    case SwapAction::None:
        break;
    case SwapAction::ShowMain:
        show();
        break;
    case SwapAction::HideMain:
        hide();
        break;
    case SwapAction::MainToMini:
        hide();
        miniWindow().show();
        break;
    case SwapAction::MiniToMain:
        show();
        miniWindow().hide();
        break;
    }
}

void frmMain::mnuHide_Click()
{
    // The menu item flips its own check mark when chosen; nothing is stored.
}

// ------------------------------------------------------------------- help

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

// ------------------------------------------------------------- formatting

void frmMain::Toolbar1_ButtonClick(int index)
{
    m_format->buttonClicked(index);
}

void frmMain::cmbFont_Click()
{
    m_format->fontChosen();
}

void frmMain::cmbFontSize_Click()
{
    m_format->sizeChosen();
}

void frmMain::txtPad_SelChange()
{
    m_format->selectionChanged();
}

} // namespace jw
