#pragma once

#include <QString>

class QWidget;

namespace jw {

namespace ui {
class RichTextEdit;
}

/// File > Save As: asks for a rich text file (opening with `lastName`, the
/// previous choice of the run) and writes the page to it. The page's own
/// file and the page folder are untouched. A cancelled dialog writes
/// nothing; a failed write is reported with the file and the reason.
void exportPage(QWidget *parent, const ui::RichTextEdit &pad, QString &lastName);

} // namespace jw
