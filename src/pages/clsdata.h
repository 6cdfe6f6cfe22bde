#pragma once

#include "base/fileio.h"
#include "richtext/richtext.h"

#include <QString>

#include <functional>
#include <optional>

namespace jw {

class PageFiles;

/// The current page: which page file the editor shows, which version of the
/// file it was read from, and whether the editor's content may be written
/// to it. A page that has no unsaved edits is never written (its file holds
/// it, and something else may have changed it since); a page whose file
/// could not be read is never written over unless the user typed into it;
/// a save never silently replaces a version made elsewhere.
class clsData final {
public:
    explicit clsData(const PageFiles &files) : m_files(files) {}

    /// What opening a page gave: the page, or why its file could not be read.
    struct Opened {
        std::optional<rtf::Document> page;
        QString error; ///< the reason, for the user, when `page` is empty
    };

    /// The page loader: makes `sTitle` (a title + ".rtf") the current page
    /// file, creating it empty when it is missing, and reads it. The page
    /// becomes current even when it cannot be read; it is then guarded.
    Opened loadData(const QString &sTitle);

    /// A page switch: reads `sTitle` (a missing file is an empty page and is
    /// not created). Only a page that could be read becomes current.
    Opened switchTo(const QString &sTitle);

    /// The current page takes another file name (a rename wrote the page there).
    void renamedTo(const QString &sTitle);

    /// The page as its file holds it now, when the file changed since it was
    /// read or saved and the editor has no unsaved edits; otherwise nothing.
    std::optional<rtf::Document> reloadIfChanged(bool modified);

    /// What a save did.
    struct Saved {
        bool written = false;
        QString error;     ///< why the page could not be written; empty when it was or need not be
        QString keptAside; ///< the file now holding a version of the page made elsewhere
    };

    /// Saves the current page when it has unsaved edits (`modified`) or its
    /// file has gone; `content` is asked for the editor's page only then. A
    /// file changed elsewhere since it was read is first kept beside the page.
    Saved save(bool modified, const std::function<rtf::Document()> &content);

    /// The current page file, empty before the first load.
    const QString &currentFile() const { return m_file; }
    /// The current page's title.
    QString currentTitle() const;
    /// True while the current page's file could not be read and nothing was typed.
    bool isGuarded() const { return m_guarded; }

private:
    Opened read(const QString &sTitle) const;
    QString keepOtherVersion();

    const PageFiles &m_files;
    QString m_file;
    FileStamp m_stamp; ///< the file's version the editor started from
    bool m_guarded = false;
};

} // namespace jw
