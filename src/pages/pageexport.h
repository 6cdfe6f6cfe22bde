#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace jw {

namespace ui {
class RichTextEdit;
}

/// How Save As treats a file that is a page's own file.
struct PageFileGuard {
    /// The page whose file `path` is; empty for any other file.
    std::function<QString(const QString &path)> pageOf;
    /// Keeps the text of page `title`'s file at `path` before it is replaced.
    std::function<void(const QString &title, const QString &path)> keep;
};

/// File > Save As: asks for a rich text file (opening with `lastName`, the
/// previous choice of the run) and writes the page to it. The page's own
/// file and the page folder are untouched. A cancelled dialog writes
/// nothing; a failed write is reported with the file and the reason. A file
/// that is another page's file is named as that page's and asked about
/// first; with a yes its text is kept through `guard` before it is replaced.
void exportPage(QWidget *parent, const ui::RichTextEdit &pad, QString &lastName, const PageFileGuard &guard = {});

} // namespace jw
