#include "pages/frmaddtab.h"

#include "ui/messagebox.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace jw {

bool showPageResult(QWidget *parent, const PageResult &result)
{
    if (!result.message.isEmpty()) {
        if (result.caption.isEmpty())
            ui::MsgBox(parent, result.message);
        else
            ui::MsgBox(parent, result.message, result.caption);
    }
    return result.done();
}

frmAddTab::frmAddTab(QWidget *owner, AddPage add)
    : ui::ToolDialog(owner, tr("Add Tab"), 3915, 1410), m_add(std::move(add))
{
    Label1 = new QLabel(tr("Tab Name:"), this);
    Label1->setTextFormat(Qt::PlainText);
    // Made in Tab order.
    txtTitle = new QLineEdit(this);
    txtTitle->setAccessibleName(tr("Tab name"));
    txtTitle->setAccessibleDescription(tr("The title of the new page; its file is named after it"));
    cmdAdd = plainButton(tr("Add"));
    cmdCancel = plainButton(tr("Cancel"));

    ui::placeTwips(Label1, 120, 240, 975, 255);
    ui::placeTwips(txtTitle, 1320, 240, 1815, 285);
    ui::placeTwips(cmdAdd, 2040, 960, 855, 375);
    ui::placeTwips(cmdCancel, 3000, 960, 855, 375);
    ui::fitButtonRow(this, {cmdAdd, cmdCancel});
    setTextBox(txtTitle);

    connect(cmdAdd, &QPushButton::clicked, this, &frmAddTab::cmdAdd_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAddTab::cmdCancel_Click);
    Form_Load();
}

void frmAddTab::Form_Load() { placeBesideOwner(); }

bool frmAddTab::txtTitle_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != 13)
        return false;
    cmdAdd_Click();
    return true;
}

void frmAddTab::cmdAdd_Click()
{
    if (showPageResult(this, m_add(txtTitle->text())))
        accept();
}

void frmAddTab::cmdCancel_Click() { close(); }

} // namespace jw
