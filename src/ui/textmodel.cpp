#include "ui/textmodel.h"

#include "ui/paragraphjoins.h"
#include "ui/richtextedit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <cmath>
#include <unordered_map>

namespace jw::ui::textmodel {

namespace {

using jw::rtf::CharFormat;
using jw::rtf::Document;

constexpr char16_t kParagraphSeparator = 0x2029;

} // namespace

// QTextCursor::insertText turns these into frames or blocks; a page never
// holds frames, so they become the replacement character.
bool isFrameMarker(char16_t c) { return c == 0xFDD0 || c == 0xFDD1; }

int halfPointsOf(double points) { return static_cast<int>(std::lround(points * 2.0)); }

QString familyOf(const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    for (const QString &name : families) {
        if (!name.isEmpty())
            return name;
    }
    if (f.hasProperty(QTextFormat::FontFamily))
        return f.stringProperty(QTextFormat::FontFamily);
    return {};
}

/// Maps a Qt format to the model; `base` fills the attributes it leaves open.
CharFormat toModel(const QTextCharFormat &f, const CharFormat &base)
{
    CharFormat out = base;
    const QString family = familyOf(f);
    if (!family.isEmpty())
        out.font = family.toStdString();
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        out.halfPoints = halfPointsOf(f.fontPointSize());
    else if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0)
        out.halfPoints = halfPointsOf(f.intProperty(QTextFormat::FontPixelSize) * 0.75); // CSS px
    if (f.hasProperty(QTextFormat::FontWeight))
        out.bold = f.fontWeight() >= QFont::DemiBold;
    if (f.hasProperty(QTextFormat::FontItalic))
        out.italic = f.fontItalic();
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        out.underline = f.underlineStyle() != QTextCharFormat::NoUnderline;
    else if (f.hasProperty(QTextFormat::FontUnderline))
        out.underline = f.boolProperty(QTextFormat::FontUnderline);
    // A link is the text's own: it never comes from the base.
    out.href = f.isAnchor() ? f.anchorHref().toStdString() : std::string();
    return out;
}

CharFormat fromFont(const QFont &font)
{
    CharFormat out;
    out.font = font.family().toStdString();
    out.halfPoints = font.pointSizeF() > 0 ? halfPointsOf(font.pointSizeF()) : 24;
    out.bold = font.weight() >= QFont::DemiBold;
    out.italic = font.italic();
    out.underline = font.underline();
    return out;
}

namespace {

void appendRun(Document &doc, std::size_t start, std::size_t length, const CharFormat &format)
{
    if (length == 0)
        return;
    if (!doc.runs.empty()) {
        jw::rtf::Run &last = doc.runs.back();
        if (last.start + last.length == start && last.format == format) {
            last.length += length;
            return;
        }
    }
    doc.runs.push_back({start, length, format});
}

} // namespace

/// Reads a range of a Qt document into the model; joins are left out, so
/// positions after them map onto the text one lower each.
Document fromQtDocument(const QTextDocument &qdoc, int from, int to, const CharFormat &base)
{
    Document doc;
    const QString raw = qdoc.toRawText();
    from = std::clamp(from, 0, int(raw.size()));
    to = std::clamp(to, from, int(raw.size()));
    doc.text.reserve(std::size_t(to - from));
    const char16_t *src = reinterpret_cast<const char16_t *>(raw.constData());

    // Format indexes repeat a lot; convert each once.
    std::unordered_map<int, CharFormat> cache;
    auto modelOf = [&](int index, const QTextCharFormat &f) -> const CharFormat & {
        auto it = cache.find(index);
        if (it == cache.end())
            it = cache.emplace(index, toModel(f, base)).first;
        return it->second;
    };

    int joined = 0; // join separators left out so far
    for (QTextBlock block = qdoc.findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        const int sep = block.position() + block.length() - 1;
        doc.text.append(src + std::max(block.position(), from), src + std::min(sep, to));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int start = std::max(frag.position(), from);
            const int end = std::min(frag.position() + frag.length(), to);
            if (end > start)
                appendRun(doc, std::size_t(start - from - joined), std::size_t(end - start),
                          modelOf(frag.charFormatIndex(), frag.charFormat()));
        }
        // The separator ending this block carries the next block's char format.
        const QTextBlock next = block.next();
        if (!next.isValid() || sep < from || sep >= to)
            continue;
        if (joins::joinsPrevious(next)) {
            ++joined;
            continue;
        }
        doc.text.push_back(u'\n');
        appendRun(doc, std::size_t(sep - from - joined), 1, modelOf(next.charFormatIndex(), next.charFormat()));
    }
    return doc;
}

namespace {

bool isBreak(char16_t c) { return c == u'\n' || c == u'\r' || c == kParagraphSeparator; }

/// Where to end the block that holds `length` characters before `pos`, in
/// the stretch [pos, end) without breaks: after the first space past the
/// piece length, else hard at twice that. 0 when the block may go on. A cut
/// just before a break would leave an empty piece.
std::size_t cutPoint(const char16_t *text, std::size_t size, std::size_t pos, std::size_t end, std::size_t length)
{
    const std::size_t piece = joins::kPieceLength;
    if (end == pos || length + (end - pos) <= piece)
        return 0;
    const std::size_t hard = pos + (2 * piece - length); // length never reaches 2 * piece
    const std::size_t last = std::min(end < size && isBreak(text[end]) ? end - 1 : end, hard);
    for (std::size_t k = pos + (length < piece ? piece - length : 0); k < last; ++k) {
        if (text[k] == u' ')
            return k + 1;
    }
    if (hard >= end)
        return 0;
    // Never between the halves of a pair.
    return QChar::isLowSurrogate(text[hard]) ? hard - 1 : hard;
}

} // namespace

const QTextCharFormat &ModelInserter::QtFormats::operator()(const CharFormat &f)
{
    for (const auto &[model, qt] : m_formats) {
        if (*model == f)
            return qt;
    }
    if (m_formats.size() >= 64)
        m_formats.erase(m_formats.begin());
    m_formats.emplace_back(&f, toQtFormat(f));
    return m_formats.back().second;
}

ModelInserter::ModelInserter(const Document &page, bool cutLongParagraphs) : m_page(page), m_cut(cutLongParagraphs) {}

void ModelInserter::insertText(QTextCursor &cursor, std::size_t from, std::size_t to)
{
    m_piece = QString::fromUtf16(m_page.text.data() + from, qsizetype(to - from));
    for (QChar &c : m_piece) {
        if (isFrameMarker(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    cursor.insertText(m_piece, m_last);
}

std::size_t ModelInserter::nextBreak(std::size_t from)
{
    // Remembered: a paragraph of millions of characters is scanned once, not once a piece.
    if (m_nextBreak < from || m_nextBreak == 0) {
        m_nextBreak = from;
        while (m_nextBreak < m_page.text.size() && !isBreak(m_page.text[m_nextBreak]))
            ++m_nextBreak;
    }
    return m_nextBreak;
}

void ModelInserter::insertUpTo(QTextCursor &cursor, std::size_t end)
{
    const char16_t *text = m_page.text.data();
    const std::size_t size = m_page.text.size();
    while (m_pos < end) {
        std::size_t j = std::min(nextBreak(m_pos), end);
        if (const std::size_t cut = m_cut ? cutPoint(text, size, m_pos, j, m_blockLength) : 0) {
            insertText(cursor, m_pos, cut);
            cursor.insertBlock(joins::joinedFormat(), m_last);
            ++m_joins;
            m_blockLength = 0;
            m_pos = cut;
            continue;
        }
        if (j > m_pos)
            insertText(cursor, m_pos, j);
        m_blockLength += j - m_pos;
        if (j < end) {
            cursor.insertBlock(QTextBlockFormat(), m_last);
            m_blockLength = 0;
            // "\r\n" is one break.
            if (text[j] == u'\r' && j + 1 < size && text[j + 1] == u'\n')
                ++j;
            ++j;
        }
        m_pos = j;
    }
}

bool ModelInserter::insertSome(QTextCursor &cursor, std::size_t units)
{
    const std::size_t size = m_page.text.size();
    const std::size_t stop = units >= size - m_pos ? size : m_pos + units;
    for (;;) {
        // The stretch in hand: the gap before a run (in the format before it), the run, or the rest.
        std::size_t end = size;
        if (m_run < m_page.runs.size()) {
            const jw::rtf::Run &run = m_page.runs[m_run];
            end = m_inRun ? std::min(size, run.start + std::min(run.length, size)) : std::min(run.start, size);
        }
        insertUpTo(cursor, std::min(end, stop));
        if (m_pos < end && m_pos >= stop)
            return false;
        if (m_run >= m_page.runs.size())
            return true;
        if (!m_inRun)
            m_last = m_formats(m_page.runs[m_run].format);
        else
            ++m_run;
        m_inRun = !m_inRun;
    }
}

/// Inserts model text at the cursor, one insertText per stretch between
/// breaks and joins. Every character of the text goes in exactly once, even
/// if the runs overlap, leave gaps or reach past the end.
int insertModel(QTextCursor &cursor, const Document &doc, bool cutLongParagraphs)
{
    ModelInserter inserter(doc, cutLongParagraphs);
    inserter.insertSome(cursor, doc.text.size());
    return inserter.joins();
}

namespace {

/// What stands between two pasted blocks: a tab between the cells of one
/// table row, a blank between the paragraphs of one cell, else a line break.
char16_t blockSeparator(const QTextBlock &before, const QTextBlock &block)
{
    QTextTable *table = QTextCursor(block).currentTable();
    if (!table || table != QTextCursor(before).currentTable())
        return u'\n';
    const QTextTableCell a = table->cellAt(before.position());
    const QTextTableCell b = table->cellAt(block.position());
    if (a.row() != b.row())
        return u'\n';
    return a.column() == b.column() ? u' ' : u'\t';
}

/// The mark of a list item as text: its number, or a bullet.
QString listMark(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare: return QStringLiteral("\u2022 ");
    default: return list->itemText(block) + u' ';
    }
}

void appendText(Document &doc, const QString &text, const CharFormat &format)
{
    std::u16string piece;
    for (const QChar c : text) {
        // Images, objects and frame marks leave only the text around them.
        if (c != QChar::ObjectReplacementCharacter && !isFrameMarker(c.unicode()))
            piece.push_back(c == QChar::ParagraphSeparator ? u'\n' : c.unicode());
    }
    const std::size_t start = doc.text.size();
    doc.text += piece;
    appendRun(doc, start, piece.size(), format);
}

} // namespace

Document fromHtml(const QString &html, const QFont &defaultFont, const CharFormat &typing)
{
    QTextDocument scratch;
    scratch.setDefaultFont(defaultFont);
    scratch.setHtml(html);
    Document doc;
    QTextBlock before;
    for (QTextBlock block = scratch.begin(); block.isValid(); block = block.next()) {
        const bool afterTable =
            before.isValid() && QTextCursor(before).currentTable() && !QTextCursor(block).currentTable();
        // The empty paragraph that follows every table is no line of the text.
        if (afterTable && block.length() == 1)
            continue;
        if (before.isValid())
            appendText(doc, QString(blockSeparator(before, block)), toModel(block.charFormat(), typing));
        before = block;
        QString mark = listMark(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const CharFormat format = toModel(fragment.charFormat(), typing);
            appendText(doc, std::exchange(mark, QString()) + fragment.text(), format);
        }
        if (!mark.isEmpty())
            appendText(doc, mark, toModel(block.charFormat(), typing));
    }
    return doc;
}

} // namespace jw::ui::textmodel

namespace jw::ui {

QTextCharFormat toQtFormat(const rtf::CharFormat &format)
{
    QTextCharFormat f;
    if (!format.font.empty())
        f.setFontFamilies(QStringList{QString::fromStdString(format.font)});
    f.setFontPointSize(std::max(format.halfPoints, 1) / 2.0);
    f.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(format.italic);
    f.setFontUnderline(format.underline);
    if (!format.href.empty()) {
        f.setAnchor(true);
        f.setAnchorHref(QString::fromStdString(format.href));
    }
    return f;
}

} // namespace jw::ui
