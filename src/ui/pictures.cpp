#include "ui/pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace jw::ui {

namespace {

const QColor kInk(0x1e, 0x1e, 0x1e);

/// Draws `paint` in a `design` x `design` coordinate space onto a pixmap of
/// `logical` pixels at `dpr`.
QPixmap render(int logical, qreal dpr, qreal design, const std::function<void(QPainter &)> &paint)
{
    const int device = int(std::lround(logical * dpr));
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(device / design, device / design);
        paint(p);
    }
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

/// A letter as a filled outline, scaled into `box` (keeping its shape).
void drawLetter(QPainter &p, QChar letter, const QRectF &box, QFont::Weight weight, bool slant, qreal thicken = 0)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(64);
    font.setWeight(weight);
    QPainterPath path;
    path.addText(0, 0, font, QString(letter));
    if (slant) {
        // A shear is an italic that does not depend on the installed fonts.
        path = QTransform(1, 0, -0.3, 1, 0, 0).map(path);
    }
    const QRectF r = path.boundingRect();
    if (r.isEmpty())
        return;
    const qreal scale = std::min(box.width() / r.width(), box.height() / r.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-r.center().x(), -r.center().y());
    const QPainterPath placed = t.map(path);
    p.fillPath(placed, kInk);
    // A book weight is too thin to read at 16 pixels; a hairline around it helps.
    if (thicken > 0)
        p.strokePath(placed, QPen(kInk, thicken, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QPixmap letterPicture(int index, qreal dpr)
{
    return render(16, dpr, 16, [index](QPainter &p) {
        switch (index) {
        case 1: // underlined U
            drawLetter(p, u'U', QRectF(2.5, 1, 11, 10.5), QFont::Normal, false, 0.6);
            p.fillRect(QRectF(2.5, 13, 11, 1.5), kInk);
            break;
        case 2: // slanted I
            drawLetter(p, u'I', QRectF(3.5, 1.5, 9, 13), QFont::Normal, true, 0.6);
            break;
        case 3: // bold B
            drawLetter(p, u'B', QRectF(2.5, 1.5, 11, 13), QFont::Black, false);
            break;
        default:
            break;
        }
    });
}

QIcon iconOf(const std::function<QPixmap(qreal)> &picture)
{
    QIcon icon;
    icon.addPixmap(picture(1.0));
    icon.addPixmap(picture(2.0));
    return icon;
}

QIcon themedOr(const QString &name, int imageIndex)
{
    const QIcon drawn = iconOf([imageIndex](qreal dpr) { return letterPicture(imageIndex, dpr); });
    return QIcon::fromTheme(name, drawn);
}

} // namespace

QPixmap imageListPicture(int index, qreal devicePixelRatio)
{
    if (index < 1 || index > 3)
        return {};
    return letterPicture(index, devicePixelRatio);
}

QIcon boldIcon() { return themedOr(QStringLiteral("format-text-bold"), 3); }
QIcon italicIcon() { return themedOr(QStringLiteral("format-text-italic"), 2); }
QIcon underlineIcon() { return themedOr(QStringLiteral("format-text-underline"), 1); }

QPixmap shrinkPicture(qreal devicePixelRatio)
{
    return render(16, devicePixelRatio, 16, [](QPainter &p) {
        // The big window, in outline.
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(2, 2, 12, 2), QColor(0x70, 0x70, 0x70));
        // The small window it becomes, bottom left.
        p.fillRect(QRectF(2, 9, 6, 5), QColor(0xff, 0xf3, 0xa8));
        p.setPen(QPen(kInk, 1));
        p.drawRect(QRectF(2.5, 9.5, 5, 4));
        p.fillRect(QRectF(3, 10, 4, 1), QColor(0x2a, 0x5d, 0xb0));
        // The arrow from the top right corner into it.
        p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(12.5, 5.5), QPointF(9.2, 8.8));
        QPainterPath head;
        head.moveTo(8.3, 9.7);
        head.lineTo(8.6, 5.9);
        head.lineTo(12.1, 9.4);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.fillPath(head, kInk);
    });
}

QIcon shrinkIcon() { return iconOf(&shrinkPicture); }

QPixmap expandPicture(qreal devicePixelRatio)
{
    return render(16, devicePixelRatio, 16, [](QPainter &p) {
        QPainterPath curve;
        curve.moveTo(3, 14);
        curve.cubicTo(3, 8.5, 5.5, 5.5, 10, 5.5);
        p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        QPainterPath head;
        head.moveTo(14.5, 5.5);
        head.lineTo(9, 1);
        head.lineTo(9, 10);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.fillPath(head, kInk);
    });
}

QIcon expandIcon() { return iconOf(&expandPicture); }

QPixmap programPicture(int size)
{
    return render(size, 1.0, 32, [](QPainter &p) {
        // Tabs standing out on the right, behind the pad.
        const QColor tabs[] = {QColor(0xe0, 0x4f, 0x3f), QColor(0x3f, 0x8f, 0xe0), QColor(0x4c, 0xb0, 0x50)};
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(tabs[i].darker(140), 0.8));
            p.setBrush(tabs[i]);
            p.drawRoundedRect(QRectF(22, 8 + i * 7, 8, 5.5), 1.5, 1.5);
        }
        // The page.
        p.setPen(QPen(QColor(0x8a, 0x74, 0x2a), 1));
        p.setBrush(QColor(0xff, 0xf0, 0x8c));
        p.drawRoundedRect(QRectF(3.5, 4.5, 22, 26), 2, 2);
        // Ruled lines and the margin.
        p.setPen(QPen(QColor(0x6f, 0x9f, 0xd8), 1));
        for (int y = 12; y <= 27; y += 4)
            p.drawLine(QPointF(5, y + 0.5), QPointF(24, y + 0.5));
        p.setPen(QPen(QColor(0xd8, 0x5a, 0x5a), 1));
        p.drawLine(QPointF(8.5, 8), QPointF(8.5, 29));
        // The binding along the top.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4a, 0x4a, 0x52));
        p.drawRoundedRect(QRectF(3, 2, 23, 5), 1.5, 1.5);
        p.setBrush(QColor(0xe8, 0xe8, 0xe8));
        for (int x = 6; x <= 22; x += 4)
            p.drawEllipse(QPointF(x, 4.5), 1.1, 1.1);
    });
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programPicture(size));
    return icon;
}

} // namespace jw::ui
