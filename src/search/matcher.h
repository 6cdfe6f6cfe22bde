#pragma once

#include <QString>
#include <QStringMatcher>
#include <QStringView>

#include <vector>

namespace jw::search {

class CancelToken;
class FoldedText;

/// The two options of the search across all pages; both off by default.
struct Options {
    bool matchCase = false;  ///< "Match case": letters compare exactly
    bool wholeWords = false; ///< "Whole words": a hit starts and ends at word boundaries
    bool operator==(const Options &) const = default;
};

/// A stretch of a page's plain text, in UTF-16 units as the editor counts.
struct Hit {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const Hit &) const = default;
};

/// The rule of the search across all pages. Without "Match case" letters
/// compare by Unicode's full case folding (é/É, ß/SS, σ/ς/Σ); "Whole words"
/// takes word boundaries from Unicode's rules (QTextBoundaryFinder). A hit
/// never splits a character: not a surrogate pair, not a character whose
/// folding is longer than itself, and not a letter from its accents.
class Matcher final {
public:
    Matcher(QString query, Options options);

    const QString &query() const { return m_query; }
    Options options() const { return m_options; }
    /// An empty query has no hits.
    bool isEmpty() const { return m_needle.isEmpty(); }

    /// The hits in `text`, left to right, none overlapping another. Once
    /// `cancel` is set it stops and returns what it has found so far.
    std::vector<Hit> findAll(QStringView text, const CancelToken *cancel = nullptr) const;
    /// The same with `text` folded already (`folded` is FoldedText(text)),
    /// which a search without "Match case" then need not fold again.
    std::vector<Hit> findAll(QStringView text, const FoldedText &folded, const CancelToken *cancel = nullptr) const;

    /// Whether `hit` is a hit of `text`, which may have changed since it was searched.
    bool matchesAt(QStringView text, Hit hit) const;

private:
    /// The checks that a stretch equal to the query must pass to be a hit.
    bool acceptable(QStringView text, Hit hit) const;
    std::vector<Hit> find(QStringView text, const FoldedText *folded, const CancelToken *cancel) const;

    QString m_query;
    QString m_needle; ///< the query, folded unless case matters
    QStringMatcher m_finder;
    Options m_options;
};

/// Whether a Unicode word boundary lies at `position` of `text`.
bool isWordBoundary(QStringView text, qsizetype position);

} // namespace jw::search
