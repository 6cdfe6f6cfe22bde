#include "ui/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace jw::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;

const QScreen *screenOf(const QWidget *widget)
{
    if (widget) {
        if (const QScreen *s = widget->screen())
            return s;
    }
    return QGuiApplication::primaryScreen();
}

QMargins frameMargins(const QWidget *window)
{
    if (const QWindow *handle = window->windowHandle())
        return handle->frameMargins();
    return {};
}

/// The outer rectangle the window has, or will have when restored.
QRect outerRect(const QWidget *window)
{
    if (!window->isWindow())
        return window->geometry();
    const QMargins m = frameMargins(window);
    if (window->isMaximized() || window->isMinimized() || window->isFullScreen())
        return window->normalGeometry().marginsAdded(m);
    // QWidget::frameGeometry() lags behind the platform's margins for a
    // while after mapping; the window handle knows them first.
    return window->geometry().marginsAdded(m);
}

/// Holds a window to the outer geometry the program asked for while the
/// frame is still settling: before mapping the margins are unknown (0), and
/// right after mapping X11 may take a position for the client's. Each request
/// is re-applied when the margins change or the frame lands elsewhere, a few
/// times at most, and given up once the user or the program has resized the
/// window since.
class OuterGeometryKeeper final : public QObject {
public:
    explicit OuterGeometryKeeper(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

    static OuterGeometryKeeper *of(QWidget *window)
    {
        // No Q_OBJECT here, so findChild would take any child for it.
        for (QObject *child : window->children()) {
            if (auto *keeper = dynamic_cast<OuterGeometryKeeper *>(child))
                return keeper;
        }
        return new OuterGeometryKeeper(window);
    }

    void requestSize(QSize outer)
    {
        m_outer = outer;
        m_sizeTries = 0;
        applySize();
    }

    void requestPosition(QPoint frame)
    {
        m_position = frame;
        m_hasPosition = true;
        m_positionTries = 0;
        m_moveArgument = frame;
        m_window->move(frame);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || !m_window)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            if (m_window->isMaximized() || m_window->isMinimized() || m_window->isFullScreen())
                break;
            if (m_outer.isValid()) {
                if (m_window->size() != m_applied)
                    m_outer = QSize(); // sized by someone else since
                else if (frameMargins(m_window) != m_margins && m_sizeTries < kTries)
                    applySize();
            }
            if (m_hasPosition && m_window->isVisible() && !frameMargins(m_window).isNull()) {
                const QPoint frame = outerRect(m_window).topLeft();
                if (frame == m_position || m_positionTries >= kTries) {
                    m_hasPosition = false;
                } else {
                    // Whether move() meant frame or client this time, the
                    // error tells how far to correct.
                    ++m_positionTries;
                    m_moveArgument += m_position - frame;
                    m_window->move(m_moveArgument);
                }
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int kTries = 3;

    void applySize()
    {
        ++m_sizeTries;
        m_margins = frameMargins(m_window);
        const QSize client(std::max(0, m_outer.width() - m_margins.left() - m_margins.right()),
                           std::max(0, m_outer.height() - m_margins.top() - m_margins.bottom()));
        m_applied = client;
        m_window->resize(client);
        m_applied = m_window->size(); // the minimum size may have won
    }

    QPointer<QWidget> m_window;
    QSize m_outer;
    QSize m_applied;
    QMargins m_margins;
    int m_sizeTries = 0;
    QPoint m_position;
    QPoint m_moveArgument;
    bool m_hasPosition = false;
    int m_positionTries = 0;
};

void setOuterSize(QWidget *window, int width, int height)
{
    OuterGeometryKeeper::of(window)->requestSize(QSize(std::max(0, width), std::max(0, height)));
}

void moveOuter(QWidget *window, int x, int y)
{
    // For a window, move() means the frame; the keeper makes sure of it.
    OuterGeometryKeeper::of(window)->requestPosition(QPoint(x, y));
}

} // namespace

double twipsPerPixelX(const QWidget *widget)
{
    const QScreen *s = screenOf(widget);
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

double twipsPerPixelY(const QWidget *widget)
{
    const QScreen *s = screenOf(widget);
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

int toPixelsX(const QWidget *widget, double twips)
{
    return int(std::lround(twips / twipsPerPixelX(widget)));
}

int toPixelsY(const QWidget *widget, double twips)
{
    return int(std::lround(twips / twipsPerPixelY(widget)));
}

double Left(const QWidget *window) { return outerRect(window).x() * twipsPerPixelX(window); }
double Top(const QWidget *window) { return outerRect(window).y() * twipsPerPixelY(window); }
double Width(const QWidget *window) { return outerRect(window).width() * twipsPerPixelX(window); }
double Height(const QWidget *window) { return outerRect(window).height() * twipsPerPixelY(window); }

void setLeft(QWidget *window, double twips)
{
    if (!window->isWindow()) {
        window->move(toPixelsX(window, twips), window->y());
        return;
    }
    moveOuter(window, toPixelsX(window, twips), outerRect(window).y());
}

void setTop(QWidget *window, double twips)
{
    if (!window->isWindow()) {
        window->move(window->x(), toPixelsY(window, twips));
        return;
    }
    moveOuter(window, outerRect(window).x(), toPixelsY(window, twips));
}

void setWidth(QWidget *window, double twips)
{
    if (!window->isWindow()) {
        window->resize(std::max(0, toPixelsX(window, twips)), window->height());
        return;
    }
    setOuterSize(window, toPixelsX(window, twips), outerRect(window).height());
}

void setHeight(QWidget *window, double twips)
{
    if (!window->isWindow()) {
        window->resize(window->width(), std::max(0, toPixelsY(window, twips)));
        return;
    }
    setOuterSize(window, outerRect(window).width(), toPixelsY(window, twips));
}

double ScaleWidth(const QWidget *widget) { return widget->width() * twipsPerPixelX(widget); }
double ScaleHeight(const QWidget *widget) { return widget->height() * twipsPerPixelY(widget); }

double ScreenWidth(const QWidget *widget)
{
    const QScreen *s = screenOf(widget);
    return s ? s->geometry().width() * twipsPerPixelX(widget) : 0.0;
}

double ScreenHeight(const QWidget *widget)
{
    const QScreen *s = screenOf(widget);
    return s ? s->geometry().height() * twipsPerPixelY(widget) : 0.0;
}

void placeTwips(QWidget *child, double left, double top, double width, double height)
{
    child->setGeometry(toPixelsX(child, left), toPixelsY(child, top), std::max(0, toPixelsX(child, width)),
                       std::max(0, toPixelsY(child, height)));
}

void setClientSizeTwips(QWidget *window, double width, double height)
{
    window->resize(std::max(0, toPixelsX(window, width)), std::max(0, toPixelsY(window, height)));
}

} // namespace jw::ui
