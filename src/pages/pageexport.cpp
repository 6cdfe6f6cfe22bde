#include "pages/pageexport.h"

#include "base/ioerror.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace jw {

void exportPage(QWidget *parent, const ui::RichTextEdit &pad, QString &lastName)
{
    // Qt's own dialog: the same on every desktop, and it never moves the
    // current folder, where the page files live.
    QFileDialog dialog(parent, QCoreApplication::translate("jw::PageExport", "Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Name filters match without regard to case, so this also lists *.RTF.
    dialog.setNameFilter(QCoreApplication::translate("jw::PageExport", "Rich Text Format (*.rtf)"));
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    if (!lastName.isEmpty())
        dialog.selectFile(lastName);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    lastName = chosen.first();
    try {
        pad.SaveFile(lastName);
    } catch (const IoError &error) {
        ui::MsgBox(parent,
                   QCoreApplication::translate("jw::PageExport", "The page could not be exported to \"%1\": %2.")
                       .arg(QDir::toNativeSeparators(lastName), error.reason()));
    }
}

} // namespace jw
