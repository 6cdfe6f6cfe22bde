#include "ui/textmodel.h"

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

/// Reads a range of a Qt document into the model. Positions in the range map
/// one to one onto the model's text.
Document fromQtDocument(const QTextDocument &qdoc, int from, int to, const CharFormat &base)
{
    Document doc;
    const QString raw = qdoc.toRawText();
    from = std::clamp(from, 0, int(raw.size()));
    to = std::clamp(to, from, int(raw.size()));
    doc.text.reserve(std::size_t(to - from));
    const char16_t *src = reinterpret_cast<const char16_t *>(raw.constData());
    for (int i = from; i < to; ++i) {
        const char16_t c = src[i];
        doc.text.push_back(c == kParagraphSeparator ? u'\n' : c);
    }

    // Format indexes repeat a lot; convert each once.
    std::unordered_map<int, CharFormat> cache;
    auto modelOf = [&](int index, const QTextCharFormat &f) -> const CharFormat & {
        auto it = cache.find(index);
        if (it == cache.end())
            it = cache.emplace(index, toModel(f, base)).first;
        return it->second;
    };

    for (QTextBlock block = qdoc.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int start = std::max(frag.position(), from);
            const int end = std::min(frag.position() + frag.length(), to);
            if (end > start)
                appendRun(doc, std::size_t(start - from), std::size_t(end - start),
                          modelOf(frag.charFormatIndex(), frag.charFormat()));
        }
        // The separator ending this block carries the next block's char format.
        const int sep = block.position() + block.length() - 1;
        const QTextBlock next = block.next();
        if (next.isValid() && sep >= from && sep < to)
            appendRun(doc, std::size_t(sep - from), 1, modelOf(next.charFormatIndex(), next.charFormat()));
    }
    return doc;
}

/// Inserts model text at the cursor, one insertText per stretch between
/// paragraph breaks. Every character of the text goes in exactly once, even
/// if the runs overlap, leave gaps or reach past the end.
void insertModel(QTextCursor &cursor, const Document &doc)
{
    const char16_t *text = doc.text.data();
    const std::size_t size = doc.text.size();
    QString piece;
    // Pages use few distinct formats; reusing one QTextCharFormat keeps its
    // hash cached for the document's format lookup.
    std::vector<std::pair<const CharFormat *, QTextCharFormat>> formats;
    auto qtFormat = [&formats](const CharFormat &f) -> const QTextCharFormat & {
        for (const auto &[model, qt] : formats) {
            if (*model == f)
                return qt;
        }
        if (formats.size() >= 64)
            formats.erase(formats.begin());
        formats.emplace_back(&f, toQtFormat(f));
        return formats.back().second;
    };

    std::size_t pos = 0; // everything before is in
    auto insert = [&](std::size_t end, const QTextCharFormat &format) {
        while (pos < end) {
            std::size_t j = pos;
            while (j < end && text[j] != u'\n' && text[j] != u'\r' && text[j] != kParagraphSeparator)
                ++j;
            if (j > pos) {
                piece = QString::fromUtf16(text + pos, qsizetype(j - pos));
                for (QChar &c : piece) {
                    if (isFrameMarker(c.unicode()))
                        c = QChar::ReplacementCharacter;
                }
                cursor.insertText(piece, format);
            }
            if (j < end) {
                cursor.insertBlock(QTextBlockFormat(), format);
                // "\r\n" is one break.
                if (text[j] == u'\r' && j + 1 < size && text[j + 1] == u'\n')
                    ++j;
                ++j;
            }
            pos = j;
        }
    };

    QTextCharFormat last; // text before the first run: the default font
    for (const jw::rtf::Run &run : doc.runs) {
        const std::size_t start = std::min(run.start, size);
        if (start > pos)
            insert(start, last);
        last = qtFormat(run.format);
        insert(std::min(size, run.start + std::min(run.length, size)), last);
    }
    insert(size, last);
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
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u2022 ");
    default:
        return list->itemText(block) + u' ';
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
        const bool afterTable = before.isValid() && QTextCursor(before).currentTable()
            && !QTextCursor(block).currentTable();
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
    return f;
}


} // namespace jw::ui
