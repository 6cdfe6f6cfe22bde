// Printing the page editor's content: a copy laid out for the printer.
#include "ui/richtextedit.h"
#include "ui/textmodel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>

namespace jw::ui {

using namespace jw::ui::textmodel;

bool RichTextEdit::SelPrint(QPrinter *printer) const
{
    if (!printer)
        return false;
    const_cast<RichTextEdit *>(this)->finishLoading();
    // A copy laid out for the printer; QTextDocument::print would add page
    // numbers to a document without a page size.
    QTextDocument copy;
    const QTextCursor selection = textCursor();
    {
        // From the model, so that joined pieces print as one paragraph.
        QTextCursor target(&copy);
        const bool part = selection.hasSelection();
        insertModel(target,
                    fromQtDocument(*document(), part ? selection.selectionStart() : 0,
                                   part ? selection.selectionEnd() : document()->characterCount() - 1, baseFormat()),
                    false);
    }

    QPainter painter;
    if (!painter.begin(printer))
        return false;
    copy.documentLayout()->setPaintDevice(printer);
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    copy.setPageSize(page.size());
    const int pages = std::max(copy.pageCount(), 1);
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer->newPage())
            break;
        painter.save();
        const QRectF clip(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        copy.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

} // namespace jw::ui
