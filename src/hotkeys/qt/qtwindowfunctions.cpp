#include "hotkeys/qt/qtwindowfunctions.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace jw {

namespace {

// A plain QWindow that is no widget's. No native window has the id 0.
QWindow *windowFor(std::intptr_t hwnd)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        // winId() would create a native window for one that has none.
        if (window->handle() && window->winId() == static_cast<WId>(hwnd))
            return window;
    }
    return nullptr;
}

QWidget *widgetFor(std::intptr_t hwnd)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QWidget::find(static_cast<WId>(hwnd));
}

} // namespace

bool QtWindowFunctions::isVisible(std::intptr_t hwnd)
{
    if (const QWidget *widget = widgetFor(hwnd))
        return widget->isVisible();
    const QWindow *window = windowFor(hwnd);
    return window && window->isVisible();
}

void QtWindowFunctions::show(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd))
        widget->show();
    else if (QWindow *window = windowFor(hwnd))
        window->show();
}

bool QtWindowFunctions::isMinimised(std::intptr_t hwnd)
{
    if (const QWidget *widget = widgetFor(hwnd))
        return widget->isMinimized();
    const QWindow *window = windowFor(hwnd);
    return window && window->windowStates().testFlag(Qt::WindowMinimized);
}

void QtWindowFunctions::restore(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd))
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    else if (QWindow *window = windowFor(hwnd))
        window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
}

void QtWindowFunctions::bringToFront(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd)) {
        widget->raise();
        widget->activateWindow();
    } else if (QWindow *window = windowFor(hwnd)) {
        window->raise();
        window->requestActivate();
    }
}

} // namespace jw
