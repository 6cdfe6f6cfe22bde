#include "hotkeys/qt/windowfocus.h"

#include <QGuiApplication>

#include <algorithm>
#include <utility>

namespace jw {

namespace {

bool ours(quintptr id)
{
    const QWindowList windows = QGuiApplication::allWindows();
    // winId() would create a native window for one that has none.
    return std::any_of(windows.begin(), windows.end(),
                       [id](QWindow *w) { return w->handle() && w->winId() == static_cast<WId>(id); });
}

} // namespace

void WindowFocus::noteOrigin()
{
    const quintptr active = activeWindow();
    m_origin = ours(active) ? 0 : active;
}

void WindowFocus::returnToOrigin(bool padHadKeyboard, quint32 time)
{
    const quintptr origin = std::exchange(m_origin, 0);
    if (padHadKeyboard && origin != 0)
        giveBack(origin, time);
}

void QtWindowFocus::activate(QWindow &window, quint32) { window.requestActivate(); }

void QtWindowFocus::useLaunchToken(const QByteArray &token)
{
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token);
}

} // namespace jw
