// The selection's character formats: what the format controls show and set.
#include "ui/richtextedit.h"
#include "ui/paragraphjoins.h"
#include "ui/textmodel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace jw::ui {

using jw::rtf::CharFormat;
using namespace jw::ui::textmodel;

QList<CharFormat> RichTextEdit::selectionFormats() const
{
    const CharFormat base = baseFormat();
    const QTextCursor cursor = textCursor();
    QList<CharFormat> out;
    auto add = [&out](const CharFormat &f) {
        if (!out.contains(f))
            out.append(f);
    };
    if (!cursor.hasSelection()) {
        add(toModel(currentCharFormat(), base));
        return out;
    }
    const QTextDocument *doc = document();
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    QList<int> textFormats;
    QList<int> breakFormats;
    QList<QTextCharFormat> byIndex;
    auto note = [](QList<int> &list, int index) {
        if (!list.contains(index))
            list.append(index);
    };
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.position() < to && frag.position() + frag.length() > from)
                note(textFormats, frag.charFormatIndex());
        }
        const int sep = block.position() + block.length() - 1;
        const QTextBlock next = block.next();
        if (next.isValid() && sep >= from && sep < to && !joins::joinsPrevious(next))
            note(breakFormats, next.charFormatIndex());
    }
    // Paragraph marks count only when nothing else is selected.
    const QList<int> &indexes = textFormats.isEmpty() ? breakFormats : textFormats;
    const QList<QTextFormat> all = doc->allFormats();
    for (int index : indexes) {
        if (index >= 0 && index < all.size())
            add(toModel(all.at(index).toCharFormat(), base));
    }
    if (out.isEmpty())
        add(toModel(currentCharFormat(), base));
    return out;
}

namespace {

template <typename T, typename Get>
std::optional<T> uniform(const QList<CharFormat> &formats, Get get)
{
    if (formats.isEmpty())
        return std::nullopt;
    const T first = get(formats.front());
    for (const CharFormat &f : formats) {
        if (!(get(f) == first))
            return std::nullopt;
    }
    return first;
}

} // namespace

std::optional<QString> RichTextEdit::SelFontName() const
{
    return uniform<QString>(selectionFormats(), [](const CharFormat &f) { return QString::fromStdString(f.font); });
}

std::optional<double> RichTextEdit::SelFontSize() const
{
    return uniform<double>(selectionFormats(), [](const CharFormat &f) { return f.halfPoints / 2.0; });
}

std::optional<bool> RichTextEdit::SelBold() const
{
    return uniform<bool>(selectionFormats(), [](const CharFormat &f) { return f.bold; });
}

std::optional<bool> RichTextEdit::SelItalic() const
{
    return uniform<bool>(selectionFormats(), [](const CharFormat &f) { return f.italic; });
}

std::optional<bool> RichTextEdit::SelUnderline() const
{
    return uniform<bool>(selectionFormats(), [](const CharFormat &f) { return f.underline; });
}

void RichTextEdit::applyFormat(const QTextCharFormat &format) { mergeCurrentCharFormat(format); }

void RichTextEdit::setSelFontName(const QString &name)
{
    if (name.isEmpty())
        return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name});
    applyFormat(f);
}

void RichTextEdit::setSelFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0 || points > 1638)
        return;
    QTextCharFormat f;
    f.setFontPointSize(std::max(halfPointsOf(points), 1) / 2.0);
    applyFormat(f);
}

void RichTextEdit::setSelBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    applyFormat(f);
}

void RichTextEdit::setSelItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    applyFormat(f);
}

void RichTextEdit::setSelUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    applyFormat(f);
}

void RichTextEdit::setTypingDefault(const QString &family, double points)
{
    QFont font = document()->defaultFont();
    if (!family.isEmpty())
        font.setFamily(family);
    if (std::isfinite(points) && points > 0)
        font.setPointSizeF(points);
    // The widget's font would overwrite the document's at its next change;
    // every loaded page gets a new document, which takes this one's default.
    setFont(font);
    document()->setDefaultFont(font);
    markSelChange();
}

} // namespace jw::ui
