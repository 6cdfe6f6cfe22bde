#include "pages/frmaddtab.h"

#include "pages/pagedialogs.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "pages/pageops.h"
#include "pages/titlerules.h"
#include "shell/dialogplacement.h"
#include "shell/frmmain.h"
#include "base/ioerror.h"
#include "base/settingsstore.h"
#include "ui/messagebox.h"
#include "ui/tabstrip.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace jw {

frmAddTab::frmAddTab(frmMain &main) : QDialog(&main), m_main(main)
{
    setUpToolDialog(this, QStringLiteral("Add Tab"), 3915, 1410);

    Label1 = new QLabel(QStringLiteral("Tab Name:"), this);
    Label1->setTextFormat(Qt::PlainText);
    txtTitle = new QLineEdit(this);
    cmdAdd = plainButton(QStringLiteral("Add"), this);
    cmdCancel = plainButton(QStringLiteral("Cancel"), this);

    ui::placeTwips(Label1, 120, 240, 975, 255);
    ui::placeTwips(txtTitle, 1320, 240, 1815, 285);
    ui::placeTwips(cmdAdd, 2040, 960, 855, 375);
    ui::placeTwips(cmdCancel, 3000, 960, 855, 375);
    setTabOrder(txtTitle, cmdAdd);
    setTabOrder(cmdAdd, cmdCancel);

    // The dialog passes its own focus on to the box, so the user can type at once.
    setFocusProxy(txtTitle);
    txtTitle->setFocus();
    txtTitle->installEventFilter(this);
    connect(cmdAdd, &QPushButton::clicked, this, &frmAddTab::cmdAdd_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAddTab::cmdCancel_Click);

    Form_Load();
}

void frmAddTab::Form_Load()
{
    applyDialogPlacement(this, &m_main);
}

bool frmAddTab::txtTitle_KeyDown(int keyCode, Qt::KeyboardModifiers shift)
{
    Q_UNUSED(shift);
    if (keyCode != 13)
        return false;
    cmdAdd_Click();
    return true;
}

bool frmAddTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtTitle && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isEnterKey(key))
            return txtTitle_KeyDown(13, key->modifiers());
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddTab::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close this dialog; only Cancel and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAddTab::cmdAdd_Click()
{
    const QString sTitle = txtTitle->text();
    if (findDuplicateLower(tabCaptions(*m_main.oTabs), sTitle) != 0) {
        ui::MsgBox(this, QStringLiteral("You cannot have two tabs with the same name."),
                   QStringLiteral("Duplicate Titles"));
        return;
    }
    if (const TitleProblem problem = checkTitle(sTitle); problem != TitleProblem::None) {
        ui::MsgBox(this, titleProblemText(problem, sTitle), kInvalidTitleCaption);
        return;
    }

    SettingsStore &store = m_main.store();
    try {
        const int position = newPagePosition(store.readSection(kApp, kTabsSection));
        store.write(kApp, kTabsSection, sTitle, QString::number(position));
        m_main.oTabs->insertTab(position, sTitle);
    } catch (const IoError &error) {
        ui::MsgBox(this, QStringLiteral("The page list could not be saved: %1.").arg(error.reason()));
        return;
    }

    // A file left by an earlier page of this title keeps its text.
    const QString sFile = pageFileName(sTitle);
    try {
        if (!m_main.files().fileExists(sFile))
            m_main.files().createEmpty(sFile);
    } catch (const IoError &error) {
        // The page is listed already; its file is made when it is first opened or saved.
        ui::MsgBox(this, QStringLiteral("The page file \"%1\" could not be created: %2.").arg(sFile, error.reason()));
    }
    accept();
}

void frmAddTab::cmdCancel_Click()
{
    close();
}

} // namespace jw
