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
    cmbFontSize->setListIndex(2);

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
    mnuSearch = item(mnuEdit, QStringLiteral("S&earch"), QKeySequence(Qt::CTRL | Qt::Key_E), &frmMain::mnuSearch_Click);
    mnuNext = item(mnuEdit, QStringLiteral("F&ind Next"), QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuNext_Click);
    mnuAddTab = item(mnuEdit, QStringLiteral("Add &Tab"), QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuAddTab_Click);
    mnuRemoveTab = item(mnuEdit, QStringLiteral("R&emove Tab"), QKeySequence(Qt::CTRL | Qt::Key_R), &frmMain::mnuRemoveTab_Click);
    mnuRename = item(mnuEdit, QStringLiteral("Re&name Tab"), none, &frmMain::mnuRename_Click);
    mnuRestorePage = item(mnuEdit, QStringLiteral("Restore Removed &Page..."), none, &frmMain::mnuRestorePage_Click);
    mnuHide = item(mnuEdit, QStringLiteral("H&ide on Minimize"), none, &frmMain::mnuHide_Click);
    mnuHide->setCheckable(true);
    mnuHide->setChecked(false);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAbout = item(mnuHelp, QStringLiteral("A&bout"), none, &frmMain::mnuAbout_Click);
    mnuHelpTopics = item(mnuHelp, QStringLiteral("H&elp Topics"), QKeySequence(Qt::Key_F1), &frmMain::mnuHelpTopics_Click);
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
            for (const QAction *action : {mnuPrint, mnuSave, mnuExit, mnuSearch, mnuNext, mnuAddTab, mnuRemoveTab,
                                          mnuHelpTopics}) {
                if (action->shortcut() == pressed)
                    return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace jw
