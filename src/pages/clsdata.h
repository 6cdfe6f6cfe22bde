#pragma once

#include "richtext/richtext.h"

#include <QString>

#include <functional>
#include <optional>

namespace jw {

class PageFiles;

/// The current page: which page file the editor shows, and whether the
/// editor's content may be written to it. A page whose file could not be
/// read shows empty, and that emptiness is never saved over the file unless
/// the user typed into it.
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

    /// What a save did; `error` is empty when nothing went wrong.
    struct Saved {
        bool written = false;
        QString error;
    };

    /// Saves the current page: `content` is asked for the editor's page only
    /// when it is written. `modified` tells whether the user changed the page
    /// since it was read or last saved.
    Saved save(bool modified, const std::function<rtf::Document()> &content);

    /// The current page file, empty before the first load.
    const QString &currentFile() const { return m_file; }
    /// True while the current page's file could not be read and nothing was typed.
    bool isGuarded() const { return m_guarded; }

private:
    Opened read(const QString &sTitle) const;

    const PageFiles &m_files;
    QString m_file;
    bool m_guarded = false;
};

} // namespace jw
