// File > Save As: export of the current page.
#include "shell/frmmain.h"

#include "base/ioerror.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QFileDialog>

namespace jw {

void frmMain::mnuSaveAs_Click()
{
    // Qt's own dialog: the same on every desktop, and it never moves the
    // current folder, where the page files live.
    QFileDialog dialog(this, QStringLiteral("Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Name filters match without regard to case, so this also lists *.RTF.
    dialog.setNameFilter(QStringLiteral("Rich Text Format (*.rtf)"));
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    if (!sSaveAsName.isEmpty())
        dialog.selectFile(sSaveAsName);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    sSaveAsName = chosen.first();
    try {
        txtPad->SaveFile(sSaveAsName);
    } catch (const IoError &error) {
        ui::MsgBox(this, QStringLiteral("The page could not be exported to \"%1\": %2.")
                             .arg(QDir::toNativeSeparators(sSaveAsName), error.reason()));
    }
}

} // namespace jw
