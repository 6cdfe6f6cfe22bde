// The main window's controls, menus and layout.
#include "shell/frmmain.h"

#include "editing/formatcontrols.h"
#include "ui/combobox.h"
#include "ui/pictures.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

namespace jw {

void frmMain::buildControls()
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    Toolbar1 = new ui::TwoStateToolbar(m_client);
    Toolbar1->addButton(QStringLiteral("bold"), QStringLiteral("Bold"), ui::imageListPicture(3));
    Toolbar1->addButton(QStringLiteral("italic"), QStringLiteral("Italic"), ui::imageListPicture(2));
    Toolbar1->addButton(QStringLiteral("underline"), QStringLiteral("Underline"), ui::imageListPicture(1));

    cmbFont = new ui::ComboBox(m_client);
    cmbFont->setToolTip(QStringLiteral("Font"));
    cmbFontSize = new ui::ComboBox(m_client);
    cmbFontSize->setToolTip(QStringLiteral("Font size"));
    cmbFontSize->addItems(FormatControls::sizeEntries());
    cmbFontSize->setListIndex(FormatControls::kStartupSize);

    cmdShink = new QPushButton(m_client);
    cmdShink->setIcon(ui::shrinkPicture());
    cmdShink->setToolTip(QStringLiteral("Mini window"));

    oTabs = new ui::TabStrip(m_client);
    txtPad = new ui::RichTextEdit(m_client);
    m_format = std::make_unique<FormatControls>(*Toolbar1, *cmbFont, *cmbFontSize, *txtPad);

    ui::placeTwips(Toolbar1, 0, 0, 4680, 360);
    ui::placeTwips(cmbFont, 1440, 0, 1335, 315);
    ui::placeTwips(cmbFontSize, 3000, 0, 735, 315);
    ui::placeTwips(cmdShink, 4320, 60, 300, 300);
    ui::placeTwips(oTabs, 0, 480, 4335, 360);
    ui::placeTwips(txtPad, 0, 840, 4335, 3495);
    // The boxes and the shrink button stand over the toolbar's right-hand part.
    cmbFont->raise();
    cmbFontSize->raise();
    cmdShink->raise();

    setTabOrder(cmdShink, oTabs);
    setTabOrder(oTabs, txtPad);
    setTabOrder(txtPad, Toolbar1);
    setTabOrder(Toolbar1, cmbFont);
    setTabOrder(cmbFont, cmbFontSize);

    connect(oTabs, &ui::TabStrip::BeforeClick, this, &frmMain::oTabs_BeforeClick);
    connect(oTabs, &ui::TabStrip::Click, this, &frmMain::oTabs_Click);
    connect(Toolbar1, &ui::TwoStateToolbar::ButtonClick, this, &frmMain::Toolbar1_ButtonClick);
    connect(cmbFont, &ui::ComboBox::Click, this, &frmMain::cmbFont_Click);
    connect(cmbFontSize, &ui::ComboBox::Click, this, &frmMain::cmbFontSize_Click);
    connect(cmbFont, &ui::ComboBox::Entered, this, &frmMain::cmbFont_Entered);
    connect(cmbFontSize, &ui::ComboBox::Entered, this, &frmMain::cmbFontSize_Entered);
    connect(oTabs, &ui::TabStrip::DblClick, this, &frmMain::oTabs_DblClick);
    connect(oTabs, &ui::TabStrip::ContextMenu, this, &frmMain::oTabs_ContextMenu);
    connect(oTabs, &ui::TabStrip::TabMoved, this, &frmMain::oTabs_TabMoved);
    // The desktop's keys for bold, italic and underline work the buttons themselves.
    for (const auto &[index, key] : {std::pair(1, Qt::Key_B), std::pair(2, Qt::Key_I), std::pair(3, Qt::Key_U)})
        Toolbar1->buttonAction(index)->setShortcut(QKeySequence(Qt::CTRL | key));
    connect(txtPad, &ui::RichTextEdit::SelChange, this, &frmMain::txtPad_SelChange);
    connect(cmdShink, &QPushButton::clicked, this, &frmMain::cmdShink_Click);
}

void frmMain::buildMenus()
{
    auto item = [this](QMenu *menu, const QString &caption, const QKeySequence &shortcut, void (frmMain::*handler)()) {
        QAction *action = menu->addAction(caption);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuPrint = item(mnuFile, QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuPrint_Click);
    mnuSave = item(mnuFile, QStringLiteral("S&ave"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuSave_Click);
    mnuSaveAs = item(mnuFile, QStringLiteral("Save As..."), none, &frmMain::mnuSaveAs_Click);
    mnuExit = item(mnuFile, QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &frmMain::mnuExit_Click);

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuUndo = item(mnuEdit, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), &frmMain::mnuUndo_Click);
    mnuRedo = item(mnuEdit, QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), &frmMain::mnuRedo_Click);
    // Both habits of the desktops redo.
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuEdit->addSeparator();
    mnuCut = item(mnuEdit, QStringLiteral("&Cut"), QKeySequence(Qt::CTRL | Qt::Key_X), &frmMain::mnuCut_Click);
    mnuCopy = item(mnuEdit, QStringLiteral("C&opy"), QKeySequence(Qt::CTRL | Qt::Key_C), &frmMain::mnuCopy_Click);
    mnuPaste = item(mnuEdit, QStringLiteral("P&aste"), QKeySequence(Qt::CTRL | Qt::Key_V), &frmMain::mnuPaste_Click);
    mnuSelectAll =
        item(mnuEdit, QStringLiteral("Select A&ll"), QKeySequence(Qt::CTRL | Qt::Key_A), &frmMain::mnuSelectAll_Click);
    mnuEdit->addSeparator();
    mnuSearch = item(mnuEdit, QStringLiteral("S&earch"), QKeySequence(Qt::CTRL | Qt::Key_E), &frmMain::mnuSearch_Click);
    mnuNext = item(mnuEdit, QStringLiteral("F&ind Next"), QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuNext_Click);
    mnuAddTab =
        item(mnuEdit, QStringLiteral("Add &Tab"), QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuAddTab_Click);
    mnuRemoveTab =
        item(mnuEdit, QStringLiteral("R&emove Tab"), QKeySequence(Qt::CTRL | Qt::Key_R), &frmMain::mnuRemoveTab_Click);
    mnuRename = item(mnuEdit, QStringLiteral("Re&name Tab"), none, &frmMain::mnuRename_Click);
    mnuRestorePage = item(mnuEdit, QStringLiteral("Restore Removed &Page..."), none, &frmMain::mnuRestorePage_Click);
    mnuHotKey = item(mnuEdit, QStringLiteral("Hot &Key..."), none, &frmMain::mnuHotKey_Click);
    mnuHide = item(mnuEdit, QStringLiteral("H&ide on Minimize"), none, &frmMain::mnuHide_Click);
    mnuHide->setCheckable(true);
    mnuHide->setChecked(false);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAbout = item(mnuHelp, QStringLiteral("A&bout"), none, &frmMain::mnuAbout_Click);
    mnuHelpTopics =
        item(mnuHelp, QStringLiteral("H&elp Topics"), QKeySequence(Qt::Key_F1), &frmMain::mnuHelpTopics_Click);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const double width = ui::ScaleWidth(m_client);
    const double height = ui::ScaleHeight(m_client);
    // The editor ends at the bottom of the client area, so its last lines and scroll bar stay visible.
    ui::placeTwips(txtPad, 0, 840, width, std::max(0.0, height - 840));
    // The toolbar band and the tab strip follow the window's width; the
    // shrink button stays at the band's right end.
    ui::placeTwips(Toolbar1, 0, 0, std::max(4680.0, width), 360);
    ui::placeTwips(cmdShink, std::max(3780.0, width - 360), 60, 300, 300);
    ui::placeTwips(oTabs, 0, 480, std::max(4335.0, width), 360);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Editors claim some Ctrl+letter keys for themselves (Ctrl+E moves to the
    // end of a line on some desktops); the menu's shortcuts win in this window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
            // Undo, Cut, Copy, Paste and Select All stay with the field or editor that has the keys.
            for (const QAction *action :
                 {mnuPrint, mnuSave, mnuExit, mnuSearch, mnuNext, mnuAddTab, mnuRemoveTab, mnuHelpTopics,
                  Toolbar1->buttonAction(1), Toolbar1->buttonAction(2), Toolbar1->buttonAction(3)}) {
                if (action->shortcut() == pressed)
                    return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace jw
