#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/unavailable/unavailablebackend.h"
#include "hotkeys/x11/x11backend.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace jw {

namespace {

std::unique_ptr<HotKeyBackend> unavailable(std::string reason)
{
    return std::make_unique<UnavailableBackend>(std::move(reason));
}

} // namespace

std::unique_ptr<HotKeyBackend> createHotKeyBackend()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return unavailable("no graphical application is running");
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1StringView("wayland")))
        return unavailable("Wayland does not let programs grab keys for the whole desktop");
    if (platform == QLatin1StringView("offscreen") || platform == QLatin1StringView("minimal"))
        return unavailable("there is no display");
    if (platform != QLatin1StringView("xcb"))
        return unavailable("the window system \"" + platform.toStdString() + "\" offers no global key grabs");
    // Under offscreen the interface exists but its connection is null.
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return unavailable("the X11 connection is not available");
    return std::make_unique<X11Backend>(*x11->connection(), *app);
}

} // namespace jw
