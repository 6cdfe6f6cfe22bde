#pragma once

#include <QString>

namespace jw {
class PageFiles;
namespace ui { class RichTextEdit; }

/// The page loader: makes sure a page file exists, then shows it.
class clsData final {
public:
    clsData(const PageFiles &files, ui::RichTextEdit &editor) : m_files(files), m_editor(editor) {}

    /// Creates the page file `sTitle` (a title + ".rtf") empty when it is
    /// missing, then loads it into the editor. Failures throw jw::IoError.
    void loadData(QString &sTitle);

    /// The page file whose last load failed, so that the empty editor left
    /// behind is never saved over it; empty when the last load succeeded.
    const QString &unreadFile() const { return m_unreadFile; }
    void forgetUnreadFile() { m_unreadFile.clear(); }

private:
    const PageFiles &m_files;
    ui::RichTextEdit &m_editor;
    QString m_unreadFile;
};

} // namespace jw
