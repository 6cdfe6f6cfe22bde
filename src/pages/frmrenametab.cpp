#include "pages/frmrenametab.h"

#include "pages/frmaddtab.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace jw {

frmRenameTab::frmRenameTab(QWidget *owner, const QString &page, RenamePage rename)
    : ui::ToolDialog(owner, tr("Rename Tab"), 3120, 1665), m_rename(std::move(rename))
{
    // Says which page is renamed: the tab strip may be hidden behind the dialog.
    lblPage = new QLabel(tr("Page: %1").arg(page), this);
    lblPage->setTextFormat(Qt::PlainText);
    lblPage->setToolTip(page);
    ui::placeTwips(lblPage, 120, 120, 2895, 255);
    lblPage->setText(lblPage->fontMetrics().elidedText(lblPage->text(), Qt::ElideMiddle, lblPage->width()));
    Label1 = new QLabel(tr("New Name:"), this);
    Label1->setTextFormat(Qt::PlainText);
    // Made in Tab order: Cancel comes before Rename.
    txtName = new QLineEdit(this);
    txtName->setAccessibleName(tr("New name"));
    txtName->setAccessibleDescription(tr("The page's new title; its file is renamed with it"));
    cmdCancel = plainButton(tr("Cancel"));
    cmdRename = plainButton(tr("Rename"));

    ui::placeTwips(Label1, 120, 540, 1080, 255);
    ui::placeTwips(txtName, 1200, 480, 1815, 375);
    ui::placeTwips(cmdCancel, 2160, 1200, 855, 375);
    ui::placeTwips(cmdRename, 1200, 1200, 855, 375);
    ui::fitButtonRow(this, {cmdRename, cmdCancel});
    setTextBox(txtName);

    connect(cmdRename, &QPushButton::clicked, this, &frmRenameTab::cmdRename_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRenameTab::cmdCancel_Click);
    Form_Load();
}

void frmRenameTab::Form_Load() { placeBesideOwner(); }

bool frmRenameTab::txtName_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != 13)
        return false;
    cmdRename_Click();
    return true;
}

void frmRenameTab::cmdRename_Click()
{
    if (showPageResult(this, m_rename(txtName->text())))
        accept();
}

void frmRenameTab::cmdCancel_Click() { close(); }

} // namespace jw
