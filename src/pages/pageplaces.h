#pragma once

#include "base/fileio.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>

#include <list>
#include <optional>
#include <vector>

class QTextDocument;

namespace jw {

class clsData;
namespace ui {
class RichTextEdit;
}

/// Where a page was left: the caret (with the selection's other end) and
/// the character at the top of the view, as positions in the page.
struct PagePlace {
    int caret = 0;
    int anchor = 0;
    int top = 0;
    bool operator==(const PagePlace &) const = default;
};

namespace pageplaces {

/// How much the documents kept for undo may hold together.
struct Limits {
    int documents = 4;              ///< pages besides the one shown
    qint64 characters = 16'000'000; ///< their weights together (see PagePlaces)
};

/// How many of the kept documents stay, given their weights newest first:
/// the newest ones, as long as both limits hold.
std::size_t keepCount(const std::vector<qint64> &weightsNewestFirst, const Limits &limits);

/// The places file's content, and back; junk and negative positions are left out.
QByteArray toJson(const QHash<QString, PagePlace> &places);
QHash<QString, PagePlace> fromJson(const QByteArray &json);

} // namespace pageplaces

/// Each page's undo history for the run, and its place across runs.
///
/// Leaving a page keeps its document, undo history and caret included, and
/// coming back shows that document again as long as the page file is still
/// the version the editor left; so Ctrl+A, Delete, leaving the page and
/// coming back, Ctrl+Z brings the text back. Memory stays bounded: only the
/// documents of the last few pages left are kept, and their weights together
/// stay under a limit; an older or heavier one is dropped (the page history
/// still has its versions). A document's weight is what it held when the
/// editor got it plus every character put in since, undo and redo included,
/// which is at least what its undo history holds.
///
/// The caret and the view's top of every page are kept too, and written to
/// `placesFile` (a moment after a page is left, and at the end of the run),
/// so each page opens where it was left, also after a restart.
class PagePlaces final : public QObject {
    Q_OBJECT

public:
    /// `data` and `pad` outlive this object.
    PagePlaces(const clsData &data, ui::RichTextEdit &pad, QString placesFile,
               pageplaces::Limits limits = pageplaces::Limits{});
    ~PagePlaces() override;

    /// The current page, saved, is about to be left: its place is taken now,
    /// and its document is kept once the next page is shown (showKept).
    void leaving();
    /// The page `data` has just read becomes the one shown: brings back its
    /// kept document when the page file is still the version it left, with
    /// its caret and view. Returns false when there is none to bring back;
    /// the caller then loads the page and calls placeLoaded().
    bool showKept();
    /// Puts the caret and the view of the page just loaded where it was left.
    void placeLoaded();
    /// Writes the places file now; a failure is logged (no text is at risk).
    void writePlaces();

    /// The documents kept, and their weights together.
    int keptCount() const { return int(m_kept.size()); }
    qint64 keptWeight() const;

private:
    struct Kept {
        QString file;
        FileStamp stamp;
        QPointer<QTextDocument> doc; ///< owned once kept (its parent is this object)
        QTextCursor cursor;          ///< with the format typing would get
        int top = 0;                 ///< the character at the top of the view
        qint64 weight = 0;
    };
    /// Keeps the document of the page left, when it is still shown as it was left.
    void adopt();
    void trim();
    /// Puts the character at `top` at the top of the view.
    void scrollTo(int top);
    /// Follows the editor onto a document it shows, for its weight.
    void follow();
    PagePlace placeNow() const;

    const clsData &m_data;
    ui::RichTextEdit &m_pad;
    const QString m_file;
    const pageplaces::Limits m_limits;
    QHash<QString, PagePlace> m_places; ///< by page file name
    std::list<Kept> m_kept;             ///< newest first
    std::optional<Kept> m_leaving;      ///< taken by leaving(), kept by the next showKept()
    QPointer<QTextDocument> m_followed; ///< the editor's document whose weight is counted
    qint64 m_weight = 0;
    QTimer m_write;
};

} // namespace jw
