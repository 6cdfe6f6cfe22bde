#include "ui/pagelayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

namespace jw::ui {

PageLayout::PageLayout(QTextDocument *document) : QAbstractTextDocumentLayout(document)
{
    m_sizeTimer.setSingleShot(true);
    m_sizeTimer.setInterval(0);
    connect(&m_sizeTimer, &QTimer::timeout, this, [this] {
        Q_EMIT documentSizeChanged(documentSize());
        Q_EMIT update();
    });
    m_width = textWidth();
    m_length = document->characterCount();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        setHeight(block, estimate(block));
}

qreal PageLayout::margin() const { return document()->documentMargin(); }

qreal PageLayout::textWidth() const
{
    const qreal page = document()->pageSize().width();
    return page > 0 ? std::max<qreal>(1, page - 2 * margin()) : 0;
}

qreal PageLayout::top(const QTextBlock &block) const { return margin() + block.firstLineNumber(); }

QTextBlock PageLayout::blockAt(qreal y) const
{
    const int line = int(std::floor(y - margin()));
    if (line < 0)
        return document()->firstBlock();
    const QTextBlock block = document()->findBlockByLineNumber(line);
    return block.isValid() ? block : document()->lastBlock();
}

bool PageLayout::isLaidOut(const QTextBlock &block) const { return block.userState() == m_generation; }

const PageLayout::Metrics &PageLayout::metrics(const QTextBlock &block) const
{
    const int index = block.charFormatIndex();
    auto it = m_metrics.constFind(index);
    if (it == m_metrics.constEnd()) {
        // Bold and italic barely change the estimate, but each new face takes
        // a font lookup of tens of milliseconds: the plain face is measured,
        // which the page's first screen has usually loaded already.
        QFont font = block.charFormat().font().resolve(document()->defaultFont());
        font.setWeight(QFont::Normal);
        font.setItalic(false);
        const QFontMetricsF fm(font, paintDevice()); // a zoomed view has one of its own
        it = m_metrics.insert(index, {fm.lineSpacing(), fm.averageCharWidth()});
    }
    return *it;
}

int PageLayout::estimate(const QTextBlock &block) const
{
    const Metrics &m = metrics(block);
    const int chars = block.length() - 1;
    const qreal width = textWidth();
    const int lines = chars > 0 && width > 0 ? std::max(1, int(std::ceil(chars * m.charWidth / width))) : 1;
    return std::max(1, int(std::ceil(lines * m.lineHeight)));
}

void PageLayout::setHeight(const QTextBlock &block, int height) const
{
    QTextBlock writable = block;
    writable.setLineCount(height);
}

int PageLayout::ensureLaidOut(const QTextBlock &block) const
{
    if (isLaidOut(block))
        return 0;
    QTextLayout *layout = block.layout();
    QTextOption option = document()->defaultTextOption();
    const Qt::LayoutDirection direction = block.textDirection();
    option.setTextDirection(direction);
    option.setAlignment(QStyle::visualAlignment(direction, Qt::AlignLeft));
    const qreal width = textWidth();
    if (width <= 0)
        option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width > 0 ? width : 1e6);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    layout->setPosition(QPointF(margin(), top(block)));
    QTextBlock writable = block;
    writable.setUserState(m_generation);
    const int height = std::max(1, int(std::ceil(y)));
    const int delta = height - block.lineCount();
    if (delta != 0) {
        setHeight(block, height);
        sizeChangedLater();
    }
    return delta;
}

void PageLayout::sizeChangedLater() const
{
    if (!m_sizeTimer.isActive())
        m_sizeTimer.start();
}

void PageLayout::layOut(qreal from, qreal to, qreal anchor)
{
    qreal shift = 0;
    for (QTextBlock block = blockAt(from); block.isValid(); block = block.next()) {
        const qreal y = top(block);
        if (y >= to + shift)
            break;
        const int delta = ensureLaidOut(block);
        if (delta != 0 && y < anchor + shift)
            shift += delta;
    }
    if (m_sizeTimer.isActive()) {
        m_sizeTimer.stop();
        Q_EMIT documentSizeChanged(documentSize());
        Q_EMIT update();
    }
    if (shift != 0)
        Q_EMIT shifted(shift);
}

QSizeF PageLayout::documentSize() const
{
    const qreal page = document()->pageSize().width();
    return {page > 0 ? page : textWidth() + 2 * margin(), document()->lineCount() + 2 * margin()};
}

QRectF PageLayout::frameBoundingRect(QTextFrame *frame) const
{
    return frame == document()->rootFrame() ? QRectF(QPointF(0, 0), documentSize()) : QRectF();
}

QRectF PageLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid())
        return {};
    ensureLaidOut(block);
    return {margin(), top(block), textWidth(), qreal(block.lineCount())};
}

int PageLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    const QTextBlock block = blockAt(point.y());
    ensureLaidOut(block);
    const QTextLayout *layout = block.layout();
    const QPointF p = point - QPointF(margin(), top(block));
    const int count = layout->lineCount();
    for (int i = 0; i < count; ++i) {
        const QTextLine line = layout->lineAt(i);
        if (p.y() >= line.y() + line.height() && i + 1 < count)
            continue;
        if (accuracy == Qt::ExactHit
            && (p.y() < line.y() || p.y() >= line.y() + line.height() || p.x() < line.x()
                || p.x() > line.x() + line.naturalTextWidth()))
            return -1;
        return block.position() + line.xToCursor(p.x());
    }
    return accuracy == Qt::ExactHit ? -1 : block.position();
}

namespace {

/// A mark that only puts a wavy line under its text (a misspelt word). The
/// layout draws those itself: QTextLayout draws every selection by drawing
/// its lines again under a clip path, which made each key cost milliseconds
/// more with a few misspelt words in view.
bool isWaveOnly(const QTextCharFormat &format)
{
    return format.underlineStyle() == QTextCharFormat::WaveUnderline
           && !format.hasProperty(QTextFormat::ForegroundBrush) && !format.hasProperty(QTextFormat::BackgroundBrush);
}

/// A wavy line from x1 to x2 with its top at y, as a crisp zigzag so that it
/// stays sharp and red at any scale.
void drawWave(QPainter *painter, qreal x1, qreal x2, qreal y, qreal amplitude, const QColor &colour)
{
    // On whole pixels: an aliased zigzag between half pixels may draw flat.
    QPolygonF wave;
    bool down = false;
    const qreal top = std::round(y), end = std::round(x2);
    for (qreal x = std::round(x1); x < end + 2 * amplitude; x += 2 * amplitude, down = !down)
        wave << QPointF(std::min(x, end), down ? top + amplitude : top);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(colour, 1));
    painter->drawPolyline(wave);
    painter->restore();
}

/// Draws the wavy marks `waves` (ranges of `layout`) under their text.
void drawWaves(QPainter *painter, const QTextLayout &layout, const QList<QTextLayout::FormatRange> &waves)
{
    const QPointF at = layout.position();
    for (const QTextLayout::FormatRange &wave : waves) {
        const QColor colour =
            wave.format.underlineColor().isValid() ? wave.format.underlineColor() : painter->pen().color();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const int from = std::max(wave.start, line.textStart());
            const int to = std::min(wave.start + wave.length, line.textStart() + line.textLength());
            if (from >= to)
                continue;
            const qreal a = line.cursorToX(from), b = line.cursorToX(to);
            const qreal amplitude = std::max<qreal>(1.0, std::round(line.descent() / 2.5));
            drawWave(painter, at.x() + std::min(a, b), at.x() + std::max(a, b), at.y() + line.y() + line.ascent() + 1,
                     amplitude, colour);
        }
    }
}

/// The selections of a paint that meet `block`, as ranges of its layout;
/// the wavy marks among them go to `waves`. No decoration of the pad spans
/// whole lines, so full-width selections are drawn as plain ones.
QList<QTextLayout::FormatRange> rangesIn(const QTextBlock &block,
                                         const QAbstractTextDocumentLayout::PaintContext &context,
                                         QList<QTextLayout::FormatRange> &waves)
{
    QList<QTextLayout::FormatRange> ranges;
    const int start = block.position();
    const int end = start + block.length();
    for (const auto &selection : context.selections) {
        const int from = selection.cursor.selectionStart();
        const int to = selection.cursor.selectionEnd();
        if (to <= start || from >= end || from == to)
            continue;
        const int a = std::max(from, start) - start;
        (isWaveOnly(selection.format) ? waves : ranges).append({a, std::min(to, end) - start - a, selection.format});
    }
    return ranges;
}

} // namespace

void PageLayout::draw(QPainter *painter, const PaintContext &context)
{
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, 1e9, 1e9);
    const int cursorWidth = property("cursorWidth").isValid() ? property("cursorWidth").toInt() : 1;
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = blockAt(clip.top()); block.isValid(); block = block.next()) {
        ensureLaidOut(block);
        const QPointF at(margin(), top(block));
        if (at.y() > clip.bottom())
            break;
        QTextLayout *layout = block.layout();
        layout->setPosition(at);
        QList<QTextLayout::FormatRange> waves;
        const auto ranges = rangesIn(block, context, waves);
        layout->draw(painter, QPointF(0, 0), ranges, clip);
        drawWaves(painter, *layout, waves);
        const int caret = context.cursorPosition - block.position();
        if (caret >= 0 && caret < block.length())
            layout->drawCursor(painter, QPointF(0, 0), caret, cursorWidth);
    }
}

void PageLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument *doc = document();
    const int length = doc->characterCount();
    const qreal width = textWidth();
    const qreal before = documentSize().height();
    // A zoom brings another resolution: every line is measured afresh.
    const int dpi = paintDevice() ? paintDevice()->logicalDpiY() : 0;
    if (from == 0 && charsAdded == length && charsRemoved == 0 && length == m_length && dpi == m_dpi) {
        // A new page width: what was laid out is an estimate now.
        if (width != m_width)
            ++m_generation;
    } else if (from == 0 && charsAdded == length) {
        // Everything, formats included, may have changed.
        ++m_generation;
        m_metrics.clear();
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            block.clearLayout();
            setHeight(block, estimate(block));
        }
    } else {
        const QTextBlock last = doc->findBlock(std::max(0, from + charsAdded - 1));
        for (QTextBlock block = doc->findBlock(from); block.isValid(); block = block.next()) {
            // A paragraph that was shown is laid out again at once: the caret stands in it.
            const bool shown = isLaidOut(block);
            block.setUserState(-1);
            block.clearLayout();
            if (shown)
                ensureLaidOut(block);
            else
                setHeight(block, estimate(block));
            if (block == last)
                break;
        }
    }
    m_width = width;
    m_length = length;
    m_dpi = dpi;
    m_sizeTimer.stop();
    if (documentSize().height() != before)
        Q_EMIT documentSizeChanged(documentSize());
    Q_EMIT update();
}

} // namespace jw::ui
