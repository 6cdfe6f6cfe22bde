// The main window's commands that work on the editor and the windows:
// search, printing, formatting, help, the mini window and the hot key.
#include "shell/frmmain.h"

#include "base/placement.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmhelp.h"
#include "dialogs/helpfile.h"
#include "dialogs/registry/iregistry.h"
#include "editing/formatcontrols.h"
#include "editing/frmsearch.h"
#include "editing/pageprinter.h"
#include "hotkeys/mini/frmmin.h"
#include "hotkeys/mini/windowswap.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QAction>
#include <QEvent>
#include <QTimer>

namespace jw {

// ------------------------------------------------------- editor commands

void frmMain::mnuUndo_Click() { txtPad->undo(); }
void frmMain::mnuRedo_Click() { txtPad->redo(); }
void frmMain::mnuCut_Click() { txtPad->cut(); }
void frmMain::mnuCopy_Click() { txtPad->copy(); }
void frmMain::mnuPaste_Click() { txtPad->paste(); }
void frmMain::mnuSelectAll_Click() { txtPad->selectAll(); }

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

void frmMain::mnuPrint_Click() { printPage(this, *txtPad); }

void frmMain::RestoreHeight() { ui::setHeight(this, iFullHeight); }

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
    bringBack();
    activateWindow();
    txtPad->setFocus();
}

void frmMain::bringBack()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_loaded && mnuHide->isChecked())
        QTimer::singleShot(0, this, &frmMain::hideMinimized);
}

void frmMain::hideMinimized()
{
    if (!isMinimized() || !isVisible())
        return;
    // It stays minimised while hidden (restoring would map it again); bringBack() restores it.
    cmdShink_Click();
}

void frmMain::m_cHK_HotKeyPress(const QString &sName, qint32, qint32)
{
    // A window minimised from its title bar is not shown: the key brings it back.
    switch (hotKeyAction(sName, mnuHide->isChecked(), isVisible() && !isMinimized())) {
    case SwapAction::None: break;
    case SwapAction::ShowMain: bringBack(); break;
    case SwapAction::HideMain: hide(); break;
    case SwapAction::MainToMini:
        hide();
        miniWindow().show();
        break;
    case SwapAction::MiniToMain:
        bringBack();
        miniWindow().hide();
        break;
    }
}

void frmMain::handOverCommand(const QString &command, QString *answer)
{
    const bool shown = isVisible() && !isMinimized();
    if (command == QLatin1StringView("toggle") || (command == QLatin1StringView("hide") && shown)) {
        m_cHK_HotKeyPress(QStringLiteral("JotwellVisible"), 1, 86);
    } else if (command == QLatin1StringView("show")) {
        // A later start brings the pad forward, as the hot key does.
        if (!shown)
            m_cHK_HotKeyPress(QStringLiteral("JotwellVisible"), 1, 86);
        raise();
        activateWindow();
    } else if (command != QLatin1StringView("hide")) {
        *answer = QStringLiteral("unknown command");
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

void frmMain::mnuHelpTopics_Click() { showHelp(this, helpFilePath()); }

// ------------------------------------------------------------- formatting

void frmMain::Toolbar1_ButtonClick(int index) { m_format->buttonClicked(index); }

// After a choice the keys go back to the page, where the user types on.

void frmMain::cmbFont_Click()
{
    m_format->fontChosen();
    txtPad->setFocus();
}

void frmMain::cmbFontSize_Click()
{
    m_format->sizeChosen();
    txtPad->setFocus();
}

void frmMain::cmbFont_Entered()
{
    if (m_format->fontEntered())
        txtPad->setFocus();
}

void frmMain::cmbFontSize_Entered()
{
    if (m_format->sizeEntered())
        txtPad->setFocus();
}

void frmMain::txtPad_SelChange() { m_format->selectionChanged(); }

} // namespace jw
