#pragma once

#include "pages/pagehistory.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace jw {

/// What the page commands and Save As ask of the page history.
class IPageVersions {
public:
    virtual ~IPageVersions() = default;
    /// The file `path` leaves page `title` but stays where it is (the page
    /// was renamed or removed): its text is kept as a version of `title`.
    virtual void keepLeaving(const QString &title, const QString &path, PageHistory::Reason reason) = 0;
    /// The pages of this folder that have a history, newest first.
    virtual QList<PageHistory::Page> pagesWithHistory() const = 0;
    /// Shows the history of `title`, a page that is not shown, whose text
    /// now is `now`; `restore` takes a chosen version back.
    virtual void browse(QWidget *owner, const QString &title, const rtf::Document &now,
                        const std::function<bool(const rtf::Document &)> &restore) = 0;
    /// Puts `version` into the editor as one undoable edit; the text it
    /// replaces is kept as a version first.
    virtual void restoreIntoEditor(const rtf::Document &version) = 0;
};

} // namespace jw
