#include "editing/pageprinter.h"

#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTextDocument>

namespace jw {

namespace {

// Qt's own print dialog on Unix offers a "pages from" range even without
// the page range option, and turns it back on as it opens. The pad prints a
// page or a selection, never a range of pages: grey the choice out once the
// dialog is on the screen.
class PageRangeRemover final : public QObject {
public:
    explicit PageRangeRemover(QPrintDialog &dialog) : QObject(&dialog), m_dialog(dialog)
    {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) { // only the dialog is watched
            for (const char *name : {"printRange", "pagesRadioButton"}) {
                if (auto *choice = m_dialog.findChild<QRadioButton *>(QLatin1StringView(name)))
                    choice->setEnabled(false);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPrintDialog &m_dialog;
};

// The whole page, printed from a copy so the user's selection and view stay as they are.
bool printWholePage(const ui::RichTextEdit &pad, QPrinter *printer)
{
    ui::RichTextEdit copy;
    copy.setDocument(pad.document()->clone(&copy));
    return copy.SelPrint(printer);
}

} // namespace

void printPage(QWidget *parent, ui::RichTextEdit &pad, const QString &title)
{
    const bool hasSelection = pad.SelLength() != 0;
    QPrinter printer(QPrinter::HighResolution);
    // The printer's own minimum margins (a few millimetres) are more than
    // many printers can print; desktops' word processors default to 2 cm.
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    new PageRangeRemover(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // What the user chose in the dialog decides: the selection, or the whole page.
    const bool selectionOnly = hasSelection && printer.printRange() == QPrinter::Selection;
    const bool printed = selectionOnly ? pad.SelPrint(&printer) : printWholePage(pad, &printer);
    // Qt only warns on the console when a printer or an output file cannot be opened.
    if (!printed) {
        const QString file = printer.outputFileName();
        ui::MsgBox(
            parent,
            file.isEmpty()
                ? QCoreApplication::translate("jw::PagePrinter", "The page could not be printed.")
                : QCoreApplication::translate("jw::PagePrinter", "The page could not be printed to \"%1\".").arg(file));
    }
}

} // namespace jw
