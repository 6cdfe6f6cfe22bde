// The main window's controls and layout.
#include "shell/frmmain.h"

#include "editing/formatcontrols.h"
#include "shell/commandregistry.h"
#include "ui/combobox.h"
#include "ui/pictures.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace jw {

namespace {

/// Names and descriptions a screen reader reads out; the editor is named
/// after its page when one is shown.
void nameForScreenReaders(ui::TwoStateToolbar &bar, ui::ComboBox &font, ui::ComboBox &size, QPushButton &shrink,
                          ui::TabStrip &tabs, ui::RichTextEdit &pad)
{
    bar.setAccessibleName(frmMain::tr("Formatting"));
    bar.buttonWidget(1)->setAccessibleDescription(frmMain::tr("Turns bold on or off for the selected text"));
    bar.buttonWidget(2)->setAccessibleDescription(frmMain::tr("Turns italic on or off for the selected text"));
    bar.buttonWidget(3)->setAccessibleDescription(frmMain::tr("Turns underline on or off for the selected text"));
    font.setAccessibleName(frmMain::tr("Font"));
    font.setAccessibleDescription(frmMain::tr("The font of the selected text; type a name or pick one"));
    // On Linux a combo box reads out its value as its name; its text box carries the name.
    font.lineEdit()->setAccessibleName(frmMain::tr("Font"));
    size.setAccessibleName(frmMain::tr("Size"));
    size.setAccessibleDescription(frmMain::tr("The font size of the selected text in points"));
    size.lineEdit()->setAccessibleName(frmMain::tr("Size"));
    shrink.setAccessibleName(frmMain::tr("Shrink"));
    shrink.setAccessibleDescription(frmMain::tr("Hides this window and shows the small mini window in its place"));
    tabs.setAccessibleName(frmMain::tr("Pages"));
    pad.setAccessibleDescription(frmMain::tr("The text of the selected page"));
}

} // namespace

void frmMain::buildControls()
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    // Made in Tab order, round from the shrink button: tabs, page, toolbar, font, size.
    Toolbar1 = new ui::TwoStateToolbar(m_client);
    Toolbar1->addButton(QStringLiteral("bold"), tr("Bold"), ui::imageListPicture(3));
    Toolbar1->addButton(QStringLiteral("italic"), tr("Italic"), ui::imageListPicture(2));
    Toolbar1->addButton(QStringLiteral("underline"), tr("Underline"), ui::imageListPicture(1));

    cmbFont = new ui::ComboBox(m_client);
    cmbFont->setToolTip(tr("Font"));
    cmbFontSize = new ui::ComboBox(m_client);
    cmbFontSize->setToolTip(tr("Font size"));
    cmbFontSize->addItems(FormatControls::sizeEntries());
    cmbFontSize->setListIndex(FormatControls::kStartupSize);

    cmdShink = new QPushButton(m_client);
    cmdShink->setIcon(ui::shrinkPicture());
    cmdShink->setToolTip(tr("Mini window"));

    oTabs = new ui::TabStrip(m_client);
    txtPad = new ui::RichTextEdit(m_client);
    nameForScreenReaders(*Toolbar1, *cmbFont, *cmbFontSize, *cmdShink, *oTabs, *txtPad);
    // Tests and the features' windows find the controls by these names.
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    cmbFont->setObjectName(QStringLiteral("cmbFont"));
    cmbFontSize->setObjectName(QStringLiteral("cmbFontSize"));
    cmdShink->setObjectName(QStringLiteral("cmdShink"));
    oTabs->setObjectName(QStringLiteral("oTabs"));
    txtPad->setObjectName(QStringLiteral("txtPad"));

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

    oTabs->setBeforeClick([this](int newIndex) { return oTabs_BeforeClick(newIndex); });
    connect(oTabs, &ui::TabStrip::Click, this, &frmMain::oTabs_Click);
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
    // A rename leaves the page in the editor: its name is brought up to date when it is entered.
    if (event->type() == QEvent::FocusIn && watched == txtPad)
        nameEditor();
    // Editors claim some Ctrl+letter keys for themselves (Ctrl+E moves to the
    // end of a line on some desktops); the menu's shortcuts win in this window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            // Undo, Cut, Copy, Paste and Select All stay with the field or editor that has the keys.
            if (m_commands->claims(QKeySequence(static_cast<QKeyEvent *>(event)->keyCombination())))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace jw
