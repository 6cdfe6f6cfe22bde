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
    return window->frameGeometry();
}

/// Re-applies an outer size set before the frame margins were known.
class OuterSizeKeeper final : public QObject {
public:
    OuterSizeKeeper(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    void request(QSize outer)
    {
        m_outer = outer;
        apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && m_window && m_outer.isValid()) {
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
                if (m_window->size() != m_applied) {
                    // The user or the program sized it since: leave it.
                    m_outer = QSize();
                } else if (frameMargins(m_window) != m_margins) {
                    apply();
                }
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void apply()
    {
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
};

void setOuterSize(QWidget *window, int width, int height)
{
    // The keeper has no meta-object of its own, so findChild would take any child for it.
    OuterSizeKeeper *keeper = nullptr;
    for (QObject *child : window->children()) {
        if ((keeper = dynamic_cast<OuterSizeKeeper *>(child)))
            break;
    }
    if (!keeper)
        keeper = new OuterSizeKeeper(window);
    keeper->request(QSize(std::max(0, width), std::max(0, height)));
}

void moveOuter(QWidget *window, int x, int y)
{
    // For a window, move() places the frame.
    window->move(x, y);
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
