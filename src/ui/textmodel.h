#pragma once

#include "richtext/richtext.h"

#include <QString>
#include <QTextCharFormat>

#include <utility>
#include <vector>

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

/// Inserts a model at a cursor a stretch at a time, as insertModel does at
/// once, so a big page can go in while the editor stays responsive. The
/// page must outlive the inserter; the cursor must stay where the last
/// stretch ended (other edits before it move it along).
class ModelInserter {
public:
    explicit ModelInserter(const rtf::Document &page, bool cutLongParagraphs = true);
    /// Inserts about `units` more characters (to the end of a paragraph
    /// piece at most). Returns true once everything is in.
    bool insertSome(QTextCursor &cursor, std::size_t units);
    /// Characters of the page's text gone in so far.
    std::size_t inserted() const { return m_pos; }
    /// Joins made so far.
    int joins() const { return m_joins; }

private:
    /// Pages use few distinct formats; reusing one QTextCharFormat keeps its
    /// hash cached for the document's format lookup.
    class QtFormats {
    public:
        const QTextCharFormat &operator()(const rtf::CharFormat &f);

    private:
        std::vector<std::pair<const rtf::CharFormat *, QTextCharFormat>> m_formats;
    };
    void insertUpTo(QTextCursor &cursor, std::size_t end);
    void insertText(QTextCursor &cursor, std::size_t from, std::size_t to);
    std::size_t nextBreak(std::size_t from);

    const rtf::Document &m_page;
    bool m_cut;
    QtFormats m_formats;
    QTextCharFormat m_last; ///< text before the first run: the default font
    QString m_piece;
    std::size_t m_pos = 0;         ///< everything before is in
    std::size_t m_blockLength = 0; ///< characters in the current block
    std::size_t m_nextBreak = 0;
    std::size_t m_run = 0;
    bool m_inRun = false; ///< in runs[m_run], else in the gap before it
    int m_joins = 0;
};

/// Pasted rich text as the page can hold it: its text with the model's
/// attributes only; images and other objects are dropped.
rtf::Document fromHtml(const QString &html, const QFont &defaultFont, const rtf::CharFormat &typing);

} // namespace jw::ui::textmodel
