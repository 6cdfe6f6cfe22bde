#pragma once

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QTimer>

class QTextBlock;

namespace jw::ui {

/// A document layout that lays out only the paragraphs it is asked about
/// (those painted, hit or measured) and estimates the height of the others
/// from their length and font, so a page of any size opens and takes keys at
/// once. Qt's own layout places every paragraph after an edit anew.
///
/// Each paragraph's height in pixels is kept as its QTextBlock line count:
/// the document sums those in its block tree, so the paragraph at a height
/// and the height of a paragraph are found in logarithmic time.
///
/// Pages hold paragraphs only (no frames, tables, lists or images); the
/// document margin surrounds them. One layout per document.
class PageLayout final : public QAbstractTextDocumentLayout {
    Q_OBJECT

public:
    explicit PageLayout(QTextDocument *document);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    /// Lays out the paragraphs that meet [from, to) in document
    /// coordinates. Paragraphs starting above `anchor` that change height
    /// are reported through shifted(), so a view can keep its content still.
    void layOut(qreal from, qreal to, qreal anchor);

    /// True when `block` is laid out for the present width.
    bool isLaidOut(const QTextBlock &block) const;

Q_SIGNALS:
    /// Paragraphs above the anchor of the last layOut() changed the height
    /// before it by `delta` pixels.
    void shifted(qreal delta);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    struct Metrics {
        qreal lineHeight;
        qreal charWidth;
    };
    qreal textWidth() const;
    qreal margin() const;
    /// The top of `block` in document coordinates.
    qreal top(const QTextBlock &block) const;
    /// The paragraph at height `y` (clamped to the document).
    QTextBlock blockAt(qreal y) const;
    /// Lays `block` out unless it is; returns how much its height changed.
    int ensureLaidOut(const QTextBlock &block) const;
    int estimate(const QTextBlock &block) const;
    void setHeight(const QTextBlock &block, int height) const;
    const Metrics &metrics(const QTextBlock &block) const;
    /// Coalesces size announcements from const lookups into one, soon.
    void sizeChangedLater() const;

    int m_generation = 1; ///< laid-out blocks carry it as their user state
    qreal m_width = -1;
    int m_length = 0;
    int m_dpi = 0;                         ///< the paint device's resolution, 0 for the screen's
    mutable QHash<int, Metrics> m_metrics; ///< by char format index
    mutable QTimer m_sizeTimer;
    mutable bool m_drawing = false;
};

} // namespace jw::ui
