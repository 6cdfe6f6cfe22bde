#pragma once

#include <QList>
#include <QStringView>

// Word-level differences between a page's earlier version and the page now,
// for the page history's counts and its marked preview.
namespace jw::worddiff {

/// A word: a run of characters that are not white space, as UTF-16 offsets.
struct Word {
    int start = 0;
    int length = 0;
};

/// The words of `text`.
QList<Word> words(QStringView text);

/// One stretch that differs: `thenCount` words from `thenIndex` of the
/// earlier text stand where the later text has `nowCount` words from
/// `nowIndex` (either count may be 0).
struct Change {
    int thenIndex = 0;
    int thenCount = 0;
    int nowIndex = 0;
    int nowCount = 0;
    bool operator==(const Change &) const = default;
};

/// The fewest word insertions and removals that turn `then` into `now`, in
/// order. Past `maxEdits` edits the middle that is still unmatched is given
/// as one change, so a page rewritten from end to end costs no more than that.
QList<Change> changes(QStringView then, const QList<Word> &thenWords, QStringView now, const QList<Word> &nowWords,
                      int maxEdits = 2000);

/// Words added (in `now` only) and removed (in `then` only).
struct Counts {
    int added = 0;
    int removed = 0;
    bool operator==(const Counts &) const = default;
};
Counts count(const QList<Change> &changes);

} // namespace jw::worddiff
