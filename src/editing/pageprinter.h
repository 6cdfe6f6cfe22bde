#pragma once

class QString;
class QWidget;

namespace jw {

namespace ui {
class RichTextEdit;
}

/// File > Print: the print dialog (with the selection range preset when
/// there is a selection, never a range of pages), then one job of what the
/// user chose: the selection or the whole page, with its formatting and
/// nothing added, on pages with margins of 2 cm. The job is named after the
/// page's `title`. A printout that cannot be started is reported.
void printPage(QWidget *parent, ui::RichTextEdit &pad, const QString &title);

} // namespace jw
