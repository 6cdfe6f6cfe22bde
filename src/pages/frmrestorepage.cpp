#include "pages/frmrestorepage.h"

#include "pages/frmaddtab.h"
#include "ui/twips.h"

#include <QListWidget>
#include <QLocale>
#include <QPushButton>

namespace jw {

frmRestorePage::frmRestorePage(QWidget *owner, const QList<StoredPage> &pages, AddPage add)
    : ui::ToolDialog(owner, tr("Restore Removed Page"), 5400, 3600), m_add(std::move(add))
{
    lstPages = new QListWidget(this);
    lstPages->setAccessibleName(tr("Removed pages"));
    lstPages->setAccessibleDescription(tr("Page files in the folder that no tab shows, newest first"));
    for (const StoredPage &page : pages) {
        auto *item = new QListWidgetItem(
            QStringLiteral("%1\t%2").arg(page.title, QLocale().toString(page.modified, QLocale::ShortFormat)),
            lstPages);
        item->setData(Qt::UserRole, page.title);
    }
    lstPages->setCurrentRow(0);
    cmdRestore = plainButton(tr("Restore"));
    cmdCancel = plainButton(tr("Cancel"));
    cmdRestore->setEnabled(!pages.isEmpty());
    ui::placeTwips(lstPages, 120, 120, 5160, 2760);
    ui::placeTwips(cmdRestore, 3120, 3060, 1020, 375);
    ui::placeTwips(cmdCancel, 4260, 3060, 1020, 375);
    ui::fitButtonRow(this, {cmdRestore, cmdCancel});
    lstPages->setFocus();
    connect(cmdRestore, &QPushButton::clicked, this, &frmRestorePage::cmdRestore_Click);
    connect(lstPages, &QListWidget::itemActivated, this, &frmRestorePage::cmdRestore_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    placeBesideOwner();
}

void frmRestorePage::setShowHistory(ShowHistory show)
{
    m_showHistory = std::move(show);
    cmdHistory = plainButton(tr("&History..."));
    cmdHistory->setObjectName(QStringLiteral("cmdHistory"));
    cmdHistory->setEnabled(lstPages->count() > 0);
    ui::placeTwips(cmdHistory, 120, 3060, 1020, 375);
    connect(cmdHistory, &QPushButton::clicked, this, &frmRestorePage::cmdHistory_Click);
}

void frmRestorePage::cmdHistory_Click()
{
    const QListWidgetItem *item = lstPages->currentItem();
    if (item && m_showHistory(item->data(Qt::UserRole).toString()))
        accept();
}

void frmRestorePage::cmdRestore_Click()
{
    const QListWidgetItem *item = lstPages->currentItem();
    if (item && showPageResult(this, m_add(item->data(Qt::UserRole).toString())))
        accept();
}

} // namespace jw
