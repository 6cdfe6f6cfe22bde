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
        QString error;        ///< the reason, for the user, when `page` is empty
        bool stopped = false; ///< the user stopped the read: nothing to tell
    };

    /// Reads the page file at `path` (the page `title`); throws IoError, or
    /// rtf::ReadStopped when the user stops it. The page files' own read
    /// unless set: the window sets one that keeps the pad answering.
    using Reader = std::function<rtf::Document(const QString &path, const QString &title)>;
    void setReader(Reader reader) { m_reader = std::move(reader); }

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
        QString error;      ///< why the page could not be written; empty when it was or need not be
        QString keptAside;  ///< the file now holding a version of the page made elsewhere
        QString asideError; ///< why that file could not be given a name of its own (it kept the temporary one)
        QString divertedTo; ///< the page file still cannot be read: the text went to this file instead
        QString unreadable; ///< with divertedTo: why the page file cannot be read
    };

    /// Saves the current page when it has unsaved edits (`modified`) or its
    /// file has gone; `content` is asked for the editor's page only then.
    /// The new version is exchanged with the page file in one step; what
    /// comes out, when it is not the version last read, is kept beside the
    /// page. A page whose file was never read is read again first: when it
    /// still cannot be, the text goes to a file of its own and the page file
    /// stays untouched.
    Saved save(bool modified, const std::function<rtf::Document()> &content);

    /// Called with each version of a page that a save replaced, while it
    /// is still at `path` (a temporary name beside the page file); the file
    /// is removed when the call returns, so a page history links or copies it.
    using ReplacedHook = std::function<void(const QString &title, const QString &path)>;
    void setReplacedHook(ReplacedHook hook) { m_replaced = std::move(hook); }

    /// The version of the page file the editor's text started from.
    const FileStamp &startedFrom() const { return m_stamp; }
    /// The editor's text now starts from the version `base` of the page file
    /// (text taken back from the journal), not from the one read: another
    /// version in place at the next save is kept beside the page. Unknown
    /// (nullopt): whatever is in place is kept.
    void startFrom(const std::optional<FileStamp> &base) { m_stamp = base.value_or(FileStamp{}); }

    /// The current page file, empty before the first load.
    const QString &currentFile() const { return m_file; }
    /// The current page's title.
    QString currentTitle() const;
    /// The version of the current page's file the editor started from (read or written).
    const FileStamp &stamp() const { return m_stamp; }
    /// True while the current page's file could not be read and nothing was typed.
    bool isGuarded() const { return m_guarded; }

private:
    Opened read(const QString &sTitle) const;
    /// What came out of the exchange: removed (after the hook) when it is the
    /// version last read, otherwise kept under a "(changed elsewhere ...)" name.
    bool cameOut(const Displaced &out, Saved &saved);
    /// A free name "<title> (<label> <time>)[ n].rtf" in the page folder.
    QString freeName(const QString &label, qint64 timeNs) const;
    /// Writes the text of a page whose file cannot be read to a file of its own.
    void divert(const rtf::Document &page, Saved &saved);

    const PageFiles &m_files;
    QString m_file;
    FileStamp m_stamp; ///< the file's version the editor started from
    bool m_guarded = false;
    QString m_diverted; ///< where the unreadable page's text went, while it is still there
    FileStamp m_divertedStamp;
    ReplacedHook m_replaced;
    Reader m_reader;
};

} // namespace jw
