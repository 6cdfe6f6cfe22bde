#include "editing/frmsearch.h"

#include "editing/search.h"
#include "shell/dialogplacement.h"
#include "shell/frmmain.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace jw {

frmSearch::frmSearch(frmMain &main)
    : QDialog(&main, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_main(main)
{
    setWindowTitle(QStringLiteral("Jotwell Search"));
    setWindowModality(Qt::ApplicationModal);
    setSizeGripEnabled(false);

    Label1 = new QLabel(QStringLiteral("Enter text for which to search..."), this);
    txtSearch = new QLineEdit(this);
    cmdSearch = new QPushButton(QStringLiteral("Search"), this);
    // Enter belongs to the text box alone: no button of this dialog is a default one.
    cmdSearch->setAutoDefault(false);
    cmdSearch->setDefault(false);

    ui::placeTwips(Label1, 120, 120, 2415, 375);
    // The desktop's font can be wider than the one the layout was drawn for:
    // the label may use the free room to its right (the button stands lower).
    const int needed = Label1->fontMetrics().horizontalAdvance(Label1->text()) + 4;
    if (needed > Label1->width())
        Label1->resize(std::min(needed, ui::toPixelsX(this, 3870 - 240)), Label1->height());
    ui::placeTwips(txtSearch, 120, 600, 2415, 375);
    ui::placeTwips(cmdSearch, 2880, 600, 975, 495);
    setTabOrder(txtSearch, cmdSearch);
    setFixedSize(ui::toPixelsX(this, 3870), ui::toPixelsY(this, 1320));

    txtSearch->installEventFilter(this);
    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    Form_Load();
    txtSearch->setFocus();
}

void frmSearch::Form_Load()
{
    applyDialogPlacement(this, &m_main);
}

void frmSearch::Form_GotFocus()
{
    txtSearch->setFocus();
}

void frmSearch::focusInEvent(QFocusEvent *event)
{
    QDialog::focusInEvent(event);
    Form_GotFocus();
}

bool frmSearch::txtSearch_KeyDown(int keyCode)
{
    if (keyCode != Qt::Key_Return && keyCode != Qt::Key_Enter)
        return false;
    cmdSearch_Click();
    return true;
}

bool frmSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        if (txtSearch_KeyDown(static_cast<QKeyEvent *>(event)->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSearch::keyPressEvent(QKeyEvent *event)
{
    // Keys are the text box's: Escape does not close the dialog (the close box does).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmSearch::cmdSearch_Click()
{
    const QString what = txtSearch->text();
    if (what.isEmpty()) {
        ui::MsgBox(this, QStringLiteral("Please enter a value before searching"), QStringLiteral("Empty Search"));
        return;
    }
    if (const auto found = findText(m_main.txtPad->Text(), what, 1)) {
        m_main.txtPad->setSelStart(static_cast<int>(*found - 1));
        m_main.txtPad->setSelLength(static_cast<int>(what.size()));
        m_main.iCursor = *found;
        m_main.vSearch = what;
    } else {
        ui::MsgBox(this, QStringLiteral("Search string not found."));
    }
    accept();
}

} // namespace jw
