#include "ui/pictures.h"

#include <QIconEngine>
#include <QLoggingCategory>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>

// The resource's initialiser lives in this static library; referring to it
// keeps the linker from dropping it.
static int registerPictures()
{
    Q_INIT_RESOURCE(pictures);
    return 0;
}
[[maybe_unused]] static const int kPicturesRegistered = registerPictures();

namespace jw::ui {

namespace {

Q_LOGGING_CATEGORY(lcPictures, "jotwell.pictures")

using Renderer = std::shared_ptr<QSvgRenderer>;

Renderer load(const QString &name)
{
    const QString resource = QStringLiteral(":/pictures/") + name;
    auto renderer = std::make_shared<QSvgRenderer>(resource);
    if (!renderer->isValid())
        qCWarning(lcPictures) << "cannot read the picture" << resource;
    return renderer;
}

/// An icon drawn from its SVG at every size and pixel ratio it is asked for.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(Renderer renderer) : m_renderer(std::move(renderer)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        draw(*painter, rect, 1.0, mode);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` is in device pixels, `scale` the device pixel ratio.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        draw(painter, pixmap.rect(), scale, mode);
        return pixmap;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_renderer); }
    bool isNull() override { return !m_renderer->isValid(); }
    QString key() const override { return QStringLiteral("jotwell.svg"); }

private:
    // Centred in `bounds`, in the drawing's proportions, and never larger than
    // its design size times `scale`: a 16 x 16 picture stays 16 x 16 on a
    // button made for bigger icons.
    void draw(QPainter &painter, const QRectF &bounds, qreal scale, QIcon::Mode mode) const
    {
        QSizeF size = QSizeF(m_renderer->defaultSize()) * scale;
        if (size.width() > bounds.width() || size.height() > bounds.height())
            size.scale(bounds.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), size);
        target.moveCenter(bounds.center());
        if (mode == QIcon::Disabled)
            painter.setOpacity(0.4);
        m_renderer->render(&painter, target);
    }

    Renderer m_renderer;
};

QIcon svgIcon(const QString &name)
{
    Renderer renderer = load(name);
    return renderer->isValid() ? QIcon(new SvgIconEngine(std::move(renderer))) : QIcon();
}

} // namespace

QIcon imageListPicture(int index)
{
    switch (index) {
    case 1: return svgIcon(QStringLiteral("underline.svg"));
    case 2: return svgIcon(QStringLiteral("italic.svg"));
    case 3: return svgIcon(QStringLiteral("bold.svg"));
    default: return {};
    }
}

QIcon shrinkPicture() { return svgIcon(QStringLiteral("shrink.svg")); }
QIcon expandPicture() { return svgIcon(QStringLiteral("expand.svg")); }
QIcon programIcon() { return svgIcon(QStringLiteral("program.svg")); }

QPixmap splashPicture(qreal devicePixelRatio)
{
    const Renderer renderer = load(QStringLiteral("splash.svg"));
    if (!renderer->isValid())
        return {};
    const QSize logical = renderer->defaultSize();
    QPixmap pixmap(QSize(int(std::lround(logical.width() * devicePixelRatio)),
                         int(std::lround(logical.height() * devicePixelRatio))));
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer->render(&painter, QRectF(pixmap.rect()));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace jw::ui
