#include "ui/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <optional>
#include <utility>

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

/// Keeps what a window's frame looks like, since the platform forgets it:
/// the frame margins are 0 until the window is first mapped and again
/// whenever it is hidden. Mixing a client position with a frame position is
/// what makes a window creep by its title bar's height on every swap.
///
/// Once the margins have been seen, positions and sizes are set as client
/// geometry worked out from them. Before that, the request is applied as if
/// the frame had no margins and applied again, once, when they arrive (the
/// same absolute request, so a late or repeated one cannot add up).
class FrameKeeper final : public QObject {
public:
    explicit FrameKeeper(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    static FrameKeeper *of(const QWidget *window)
    {
        // No Q_OBJECT here, so findChild would take any child for it.
        for (QObject *child : window->children()) {
            if (auto *keeper = dynamic_cast<FrameKeeper *>(child))
                return keeper;
        }
        return new FrameKeeper(const_cast<QWidget *>(window));
    }

    /// The margins of the mapped frame, or the last ones seen (0 before the first mapping).
    QMargins margins()
    {
        noteMargins();
        return m_known;
    }

    /// The outer rectangle around `client`, or the one asked for while the margins are unknown.
    QRect outer(QRect client)
    {
        QRect rect = client.marginsAdded(margins());
        if (m_frame)
            rect.moveTopLeft(*m_frame);
        if (m_outer.isValid())
            rect.setSize(m_outer);
        return rect;
    }

    void setOuterPosition(QPoint frame)
    {
        m_frame = margins().isNull() ? std::optional<QPoint>(frame) : std::nullopt;
        m_window->setGeometry(QRect(frame + QPoint(m_known.left(), m_known.top()), m_window->size()));
    }

    void setOuterSize(QSize outer)
    {
        m_outer = margins().isNull() ? outer : QSize();
        const QMargins m = m_known;
        m_window->resize(std::max(0, outer.width() - m.left() - m.right()),
                         std::max(0, outer.height() - m.top() - m.bottom()));
        m_applied = m_window->size(); // the minimum size may have won
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && m_window && m_window->isVisible()) {
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Paint:
                if (noteMargins() && m_frame)
                    setOuterPosition(*std::exchange(m_frame, std::nullopt));
                if (noteMargins() && m_outer.isValid()) {
                    // Sized before the frame was known; unless resized since, size it again.
                    const QSize outer = std::exchange(m_outer, QSize());
                    if (m_window->size() == m_applied && !m_window->isMaximized() && !m_window->isFullScreen())
                        setOuterSize(outer);
                }
                break;
            default: break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    /// Takes the mapped frame's margins; true when they are known.
    bool noteMargins()
    {
        const QWindow *handle = m_window->windowHandle();
        if (handle && m_window->isVisible() && handle->isExposed() && !handle->frameMargins().isNull())
            m_known = handle->frameMargins();
        return !m_known.isNull();
    }

    QPointer<QWidget> m_window;
    QMargins m_known;
    std::optional<QPoint> m_frame; ///< frame position waiting for the margins
    QSize m_outer;                 ///< outer size waiting for the margins
    QSize m_applied;               ///< the client size that request gave
};

/// The outer rectangle the window has, or will have when restored.
QRect outerRect(const QWidget *window)
{
    if (!window->isWindow())
        return window->geometry();
    FrameKeeper *keeper = FrameKeeper::of(window);
    if (window->isMaximized() || window->isMinimized() || window->isFullScreen())
        return window->normalGeometry().marginsAdded(keeper->margins());
    return keeper->outer(window->geometry());
}

void setOuterSize(QWidget *window, int width, int height)
{
    FrameKeeper::of(window)->setOuterSize(QSize(std::max(0, width), std::max(0, height)));
}

void moveOuter(QWidget *window, int x, int y) { FrameKeeper::of(window)->setOuterPosition(QPoint(x, y)); }

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

int toPixelsX(const QWidget *widget, double twips) { return int(std::lround(twips / twipsPerPixelX(widget))); }

int toPixelsY(const QWidget *widget, double twips) { return int(std::lround(twips / twipsPerPixelY(widget))); }

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

void fitButtonRow(QWidget *window, std::initializer_list<QWidget *> row)
{
    int shift = 0;
    for (QWidget *button : row) {
        button->move(button->x() + shift, button->y());
        const int wanted = button->sizeHint().width();
        if (wanted > button->width()) {
            shift += wanted - button->width();
            button->resize(wanted, button->height());
        }
    }
    if (shift == 0)
        return;
    // A fixed size would hold back a plain resize.
    const QSize size(window->width() + shift, window->height());
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(size);
    else
        window->resize(size);
}

} // namespace jw::ui
