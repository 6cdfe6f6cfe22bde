// Search, Find Next and printing of the current page.
#include "shell/frmmain.h"

#include "editing/frmsearch.h"
#include "editing/search.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

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
        if (watched == &m_dialog && event->type() == QEvent::Show) {
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

void frmMain::mnuSearch_Click()
{
    {
        frmSearch dialog(*this);
        dialog.exec();
    }
    // Back to the pad, with the match selected.
    activateWindow();
}

void frmMain::mnuNext_Click()
{
    // A window left at its short height is opened up so the match shows.
    // Compared in whole pixels: a window cannot take 960 twips exactly at every DPI.
    if (ui::toPixelsY(this, ui::Height(this)) == ui::toPixelsY(this, iShortHeight))
        RestoreHeight();
    if (vSearch.isEmpty()) {
        // Nothing has been found yet: ask for the text instead of finding an empty one.
        mnuSearch_Click();
        return;
    }
    if (const auto found = findText(txtPad->Text(), vSearch, iCursor + 1)) {
        txtPad->setSelStart(static_cast<int>(*found - 1));
        txtPad->setSelLength(static_cast<int>(vSearch.size()));
        iCursor = *found;
        txtPad->setFocus();
    } else {
        ui::MsgBox(this, QStringLiteral("Reached end of document."));
    }
}

void frmMain::mnuPrint_Click()
{
    const bool hasSelection = txtPad->SelLength() != 0;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    new PageRangeRemover(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // What the user chose in the dialog decides: the selection, or the whole page.
    const bool selectionOnly = hasSelection && printer.printRange() == QPrinter::Selection;
    const bool printed = selectionOnly ? txtPad->SelPrint(&printer) : printWholePage(*txtPad, &printer);
    // Qt only warns on the console when a printer or an output file cannot be opened.
    if (!printed) {
        const QString file = printer.outputFileName();
        ui::MsgBox(this, file.isEmpty() ? QStringLiteral("The page could not be printed.")
                                        : QStringLiteral("The page could not be printed to \"%1\".").arg(file));
    }
}

} // namespace jw
