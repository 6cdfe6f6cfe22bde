#include "pages/pageexport.h"

#include "base/ioerror.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace jw {

namespace {

/// Qt's own save dialog, which asks before replacing a page's file in words
/// of its own instead of the usual "replace?".
class SaveAsDialog final : public QFileDialog {
    Q_DECLARE_TR_FUNCTIONS(jw::SaveAsDialog)

public:
    SaveAsDialog(QWidget *parent, const PageFileGuard &guard)
        : QFileDialog(parent, tr("Save As")), m_guard(guard)
    {
    }

    QString page; ///< the page whose file was chosen, if any

    void accept() override
    {
        const QString chosen = selectedFiles().value(0);
        page = m_guard.pageOf && !chosen.isEmpty() ? m_guard.pageOf(chosen) : QString();
        if (page.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        const QString question = tr("\"%1\" is the file of the page \"%2\". Replace that page's text with this "
                                    "page? Its text now is kept in the page's history.")
                                     .arg(QDir::toNativeSeparators(chosen), page);
        if (!ui::AskBox(this, question, tr("&Replace"), tr("Cancel"), tr("Save As")))
            return;
        // Asked already; the dialog's own question would only repeat it.
        setOption(QFileDialog::DontConfirmOverwrite, true);
        QFileDialog::accept();
        setOption(QFileDialog::DontConfirmOverwrite, false);
    }

private:
    const PageFileGuard &m_guard;
};

} // namespace

void exportPage(QWidget *parent, const ui::RichTextEdit &pad, QString &lastName, const PageFileGuard &guard)
{
    // Qt's own dialog: the same on every desktop, and it never moves the
    // current folder, where the page files live.
    SaveAsDialog dialog(parent, guard);
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
    if (!dialog.page.isEmpty() && guard.keep)
        guard.keep(dialog.page, lastName);
    try {
        pad.SaveFile(lastName);
    } catch (const IoError &error) {
        ui::MsgBox(parent,
                   QCoreApplication::translate("jw::PageExport", "The page could not be exported to \"%1\": %2.")
                       .arg(QDir::toNativeSeparators(lastName), error.reason()));
    }
}

} // namespace jw
