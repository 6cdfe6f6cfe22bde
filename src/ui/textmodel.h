#pragma once

#include "richtext/richtext.h"

#include <QString>

class QFont;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// Between Qt's text documents and the page model (font family, size, bold,
// italic, underline, links as anchors; paragraphs, line breaks, tabs).
namespace jw::ui::textmodel {

/// Points to whole half points.
int halfPointsOf(double points);

/// U+FDD0/U+FDD1: what QTextCursor would turn into frames, which a page never holds.
bool isFrameMarker(char16_t c);

/// A Qt format in the model; `base` fills the attributes it leaves open.
rtf::CharFormat toModel(const QTextCharFormat &format, const rtf::CharFormat &base);

/// A font's attributes in the model (12 points when it has none).
rtf::CharFormat fromFont(const QFont &font);

/// Positions `from` to `to` of a Qt document in the model (a paragraph break
/// is '\n'); joins (see paragraphjoins.h) are no part of the text.
rtf::Document fromQtDocument(const QTextDocument &document, int from, int to, const rtf::CharFormat &base);

/// Inserts the model at the cursor. Every character of the text goes in
/// exactly once, even where the runs overlap, leave gaps or reach past the end.
/// With `cutLongParagraphs`, paragraphs over joins::kPieceLength go in as
/// joined pieces. Returns the number of joins made.
int insertModel(QTextCursor &cursor, const rtf::Document &page, bool cutLongParagraphs = true);

/// Pasted rich text as the page can hold it: its text with the model's
/// attributes only; images and other objects are dropped.
rtf::Document fromHtml(const QString &html, const QFont &defaultFont, const rtf::CharFormat &typing);

} // namespace jw::ui::textmodel
