#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace jw::search {

/// `text` with Unicode's full case folding: "Straße", "STRASSE" and
/// "strasse" fold alike, and so do Σ, σ and ς.
QString foldCase(QStringView text);

/// A text folded for comparison without regard to case, which can tell
/// where a stretch of the folded text lies in the original.
class FoldedText final {
public:
    explicit FoldedText(QStringView original);

    const QString &text() const { return m_text; }

    /// The offset in the original of the folded offset `folded`; -1 when it
    /// falls inside the folding of one character (the "s" of "ß" -> "ss").
    qsizetype toOriginal(qsizetype folded) const;

private:
    /// A character whose folding is longer than itself (rare: ß, ligatures, ...).
    struct Expansion {
        qsizetype folded = 0;
        qsizetype original = 0;
        qsizetype foldedLength = 0;
        qsizetype originalLength = 0;
    };

    QString m_text;
    std::vector<Expansion> m_expansions; ///< in text order
};

} // namespace jw::search
