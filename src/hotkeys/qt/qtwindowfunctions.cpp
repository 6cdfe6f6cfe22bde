#include "hotkeys/qt/qtwindowfunctions.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace jw::qtwindow {

namespace {

constexpr std::int32_t SW_HIDE = 0;
constexpr std::int32_t SW_SHOWNORMAL = 1;
constexpr std::int32_t SW_SHOWMINIMIZED = 2;
constexpr std::int32_t SW_SHOWMAXIMIZED = 3;
constexpr std::int32_t SW_MINIMIZE = 6;
constexpr std::int32_t SW_RESTORE = 9;
constexpr std::uint32_t WM_SYSCOMMAND = 274;
constexpr std::uintptr_t SC_MINIMIZE = 0xF020;
constexpr std::uintptr_t SC_RESTORE = 0xF120;

QWidget *widgetFor(std::intptr_t hwnd)
{
    if (hwnd == 0 || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QWidget::find(static_cast<WId>(hwnd));
}

QWindow *windowFor(std::intptr_t hwnd)
{
    if (hwnd == 0 || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        // winId() would create a native window for one that has none.
        if (window->handle() && window->winId() == static_cast<WId>(hwnd))
            return window;
    }
    return nullptr;
}

} // namespace

bool isVisible(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd))
        return widget->isVisible();
    if (QWindow *window = windowFor(hwnd))
        return window->isVisible();
    return false;
}

void show(std::intptr_t hwnd, std::int32_t command)
{
    if (QWidget *widget = widgetFor(hwnd)) {
        switch (command) {
        case SW_HIDE: widget->hide(); break;
        case SW_SHOWNORMAL:
        case SW_RESTORE: widget->showNormal(); break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE: widget->showMinimized(); break;
        case SW_SHOWMAXIMIZED: widget->showMaximized(); break;
        default: widget->show(); break;
        }
    } else if (QWindow *window = windowFor(hwnd)) {
        switch (command) {
        case SW_HIDE: window->hide(); break;
        case SW_SHOWNORMAL:
        case SW_RESTORE: window->showNormal(); break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE: window->showMinimized(); break;
        case SW_SHOWMAXIMIZED: window->showMaximized(); break;
        default: window->show(); break;
        }
    }
}

bool isMinimized(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd))
        return widget->isMinimized();
    if (QWindow *window = windowFor(hwnd))
        return window->windowStates().testFlag(Qt::WindowMinimized);
    return false;
}

std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam)
{
    if (message != WM_SYSCOMMAND)
        return 0;
    if (QWidget *widget = widgetFor(hwnd)) {
        if (wParam == SC_RESTORE)
            widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
        else if (wParam == SC_MINIMIZE)
            widget->setWindowState(widget->windowState() | Qt::WindowMinimized);
    } else if (QWindow *window = windowFor(hwnd)) {
        if (wParam == SC_RESTORE)
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
        else if (wParam == SC_MINIMIZE)
            window->setWindowStates(window->windowStates() | Qt::WindowMinimized);
    }
    return 0;
}

bool activate(std::intptr_t hwnd)
{
    if (QWidget *widget = widgetFor(hwnd)) {
        widget->raise();
        widget->activateWindow();
        return true;
    }
    if (QWindow *window = windowFor(hwnd)) {
        window->raise();
        window->requestActivate();
        return true;
    }
    return false;
}

} // namespace jw::qtwindow
