#include "pages/frmrenametab.h"

#include "richtext/richtext.h"
#include "pages/clsdata.h"
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
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace jw {

frmRenameTab::frmRenameTab(frmMain &main) : QDialog(&main), m_main(main)
{
    setUpToolDialog(this, QStringLiteral("Rename Tab"), 3120, 1305);

    Label1 = new QLabel(QStringLiteral("New Name:"), this);
    Label1->setTextFormat(Qt::PlainText);
    txtName = new QLineEdit(this);
    cmdCancel = plainButton(QStringLiteral("Cancel"), this);
    cmdRename = plainButton(QStringLiteral("Rename"), this);

    ui::placeTwips(Label1, 120, 120, 975, 255);
    ui::placeTwips(txtName, 1200, 60, 1815, 375);
    ui::placeTwips(cmdCancel, 2160, 840, 855, 375);
    ui::placeTwips(cmdRename, 1200, 840, 855, 375);
    setTabOrder(txtName, cmdCancel);
    setTabOrder(cmdCancel, cmdRename);

    setFocusProxy(txtName);
    txtName->setFocus();
    txtName->installEventFilter(this);
    connect(cmdRename, &QPushButton::clicked, this, &frmRenameTab::cmdRename_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRenameTab::cmdCancel_Click);

    Form_Load();
}

void frmRenameTab::Form_Load()
{
    applyDialogPlacement(this, &m_main);
}

bool frmRenameTab::txtName_KeyDown(int keyCode, Qt::KeyboardModifiers shift)
{
    Q_UNUSED(shift);
    if (keyCode != 13)
        return false;
    cmdRename_Click();
    return true;
}

bool frmRenameTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtName && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isEnterKey(key))
            return txtName_KeyDown(13, key->modifiers());
    }
    return QDialog::eventFilter(watched, event);
}

void frmRenameTab::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close this dialog; only Cancel and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmRenameTab::cmdRename_Click()
{
    const QString sNew = txtName->text();
    ui::TabStrip &tabs = *m_main.oTabs;
    // The current tab takes part: a change of letter case alone is refused too.
    if (findDuplicateUpper(tabCaptions(tabs), sNew) != 0) {
        ui::MsgBox(this, QStringLiteral("Cannot have two tabs with the same name."), QStringLiteral("Duplicate Tab Name"));
        return;
    }
    if (const TitleProblem problem = checkTitle(sNew); problem != TitleProblem::None) {
        ui::MsgBox(this, titleProblemText(problem, sNew), kInvalidTitleCaption);
        return;
    }

    // The whole page with its formatting, not only its characters.
    const rtf::Document page = m_main.txtPad->toDocument();
    const int current = tabs.selectedIndex();
    const QString sOld = tabs.caption(current);
    SettingsStore &store = m_main.store();
    // The section is named in lower case here; the store ignores letter case.
    const QString app = QStringLiteral("jotwell");
    const QString section = QStringLiteral("tabs");

    std::optional<qint32> position;
    try {
        position = toInt32(store.readOne(app, section, sOld));
    } catch (const IoError &error) {
        ui::MsgBox(this, QStringLiteral("The page list could not be read: %1.").arg(error.reason()));
        return;
    }
    // A list that does not place this tab where it stands would make the
    // rename replace some other page's tab.
    if (current == 0 || !position || *position != current) {
        ui::MsgBox(this, QStringLiteral("The page list does not give the place of the tab \"%1\", so it cannot be renamed.")
                             .arg(sOld));
        return;
    }

    // The page goes to its new file first: should anything fail later, the
    // text is not left only under the old title.
    QString sFile = pageFileName(sNew);
    try {
        m_main.files().writePage(sFile, page);
    } catch (const IoError &error) {
        ui::MsgBox(this, QStringLiteral("The page could not be saved to \"%1\": %2.").arg(sFile, error.reason()));
        return;
    }

    bool added = false;
    try {
        store.write(app, section, sNew, QString::number(*position));
        added = true;
        store.deleteEntry(kApp, kTabsSection, sOld);
    } catch (const IoError &error) {
        if (added) {
            try {
                store.deleteEntry(kApp, kTabsSection, sNew);
            } catch (const IoError &) {
            }
        }
        ui::MsgBox(this, QStringLiteral("The page list could not be saved: %1.").arg(error.reason()));
        return;
    }

    tabs.removeTab(*position);
    tabs.insertTab(*position, sNew);
    tabs.selectTab(*position);

    try {
        if (m_main.oData)
            m_main.oData->loadData(sFile);
    } catch (const IoError &) {
        // What was read is replaced by the kept page just below.
    }
    m_main.txtPad->setFromDocument(page);
    m_main.txtPad->document()->setModified(false);
    accept();
}

void frmRenameTab::cmdCancel_Click()
{
    close();
}

} // namespace jw
