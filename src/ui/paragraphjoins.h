#pragma once

#include <QString>
#include <QTextBlockFormat>

#include <vector>

class QTextBlock;
class QTextDocument;

// Qt lays a paragraph out whole on every edit, so one of a million characters
// costs most of a second per keystroke. An over-long paragraph is therefore
// held as several editor blocks; the breaks between them are joins: they are
// no part of the text, the writer, Text() or the selection offsets.
namespace jw::ui::joins {

/// Paragraphs up to this length stay one block; longer ones are cut into
/// pieces of at most this length, at a space where there is one.
inline constexpr int kPieceLength = 4096;

/// True when the break before `block` is a join, not a paragraph break.
bool joinsPrevious(const QTextBlock &block);

/// The block format that marks a block as joined to the one before it.
QTextBlockFormat joinedFormat();

/// `format` without the join mark.
QTextBlockFormat withoutJoin(QTextBlockFormat format);

/// Positions of the join separators in [from, to), ascending.
std::vector<int> joinPositions(const QTextDocument &document, int from, int to);

/// The text offset of a document position, joins left out.
int textOffset(const std::vector<int> &joins, int position);

/// The first document position at a text offset.
int documentPosition(const std::vector<int> &joins, int offset);

/// `raw` (the document from position `from` on) without its join separators.
QString withoutJoins(const QString &raw, const std::vector<int> &joins, int from);

} // namespace jw::ui::joins
