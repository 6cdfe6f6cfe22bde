#pragma once

#include <QStringView>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace jw {

/// Finds the first exact, case-sensitive occurrence of `what` in `text` that
/// starts at or after the 1-based position `start`, and returns its 1-based
/// position. Positions count UTF-16 code units, as the editor's selection
/// does. There is no wrap-around. An empty `what` never matches, nor does an
/// occurrence that would begin or end inside a surrogate pair.
std::optional<qint64> findText(QStringView text, QStringView what, qint64 start);

} // namespace jw

namespace jw {

/// The search state of the main window between commands: the text of the
/// last successful dialog search and where its last match started. Both
/// change only when something is found; edits and page switches keep them.
class SearchState final {
public:
    /// A match to select: 0-based start and length in the editor's text.
    struct Match {
        qint64 start = 0;
        qint64 length = 0;
    };

    /// The dialog search: the first match of `what` from the beginning.
    std::optional<Match> search(QStringView text, const QString &what);
    /// Find Next: the next match of the last search, one character after the
    /// previous match's start, so overlapping matches are all found.
    std::optional<Match> next(QStringView text);

    /// True once a dialog search has found something.
    bool hasSearch() const { return !m_vSearch.isEmpty(); }
    const QString &vSearch() const { return m_vSearch; }
    qint64 iCursor() const { return m_iCursor; }

private:
    QString m_vSearch;
    qint64 m_iCursor = 0; ///< 1-based start of the last match; 0 before any
};

} // namespace jw
