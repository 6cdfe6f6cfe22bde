#include "pages/frmrenametab.h"

#include "pages/frmaddtab.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace jw {

frmRenameTab::frmRenameTab(QWidget *owner, RenamePage rename)
    : ui::ToolDialog(owner, QStringLiteral("Rename Tab"), 3120, 1305), m_rename(std::move(rename))
{
    Label1 = new QLabel(QStringLiteral("New Name:"), this);
    Label1->setTextFormat(Qt::PlainText);
    txtName = new QLineEdit(this);
    cmdCancel = plainButton(QStringLiteral("Cancel"));
    cmdRename = plainButton(QStringLiteral("Rename"));

    ui::placeTwips(Label1, 120, 120, 975, 255);
    ui::placeTwips(txtName, 1200, 60, 1815, 375);
    ui::placeTwips(cmdCancel, 2160, 840, 855, 375);
    ui::placeTwips(cmdRename, 1200, 840, 855, 375);
    setTabOrder(txtName, cmdCancel);
    setTabOrder(cmdCancel, cmdRename);
    setTextBox(txtName);

    connect(cmdRename, &QPushButton::clicked, this, &frmRenameTab::cmdRename_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRenameTab::cmdCancel_Click);
    Form_Load();
}

void frmRenameTab::Form_Load()
{
    placeBesideOwner();
}

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

void frmRenameTab::cmdCancel_Click()
{
    close();
}

} // namespace jw
