#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/qt/qtwindows.h"
#include "hotkeys/qt/qtx11hotkeyplatform.h"
#include "hotkeys/unavailable/unavailablehotkeyplatform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace jw {

namespace {

std::unique_ptr<IHotKeyPlatform> unavailable(std::string reason)
{
    return std::make_unique<QtWindows<UnavailableHotKeyPlatform>>(std::move(reason));
}

std::string reasonFor(const QString &platform)
{
    if (platform.startsWith(QLatin1StringView("wayland")))
        return "Wayland does not let programs grab keys for the whole desktop";
    if (platform == QLatin1StringView("offscreen") || platform == QLatin1StringView("minimal"))
        return "there is no display";
    return "the window system \"" + platform.toStdString() + "\" offers no global key grabs";
}

} // namespace

std::unique_ptr<IHotKeyPlatform> createHotKeyPlatform()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return unavailable("no graphical application is running");
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1StringView("xcb"))
        return unavailable(reasonFor(platform));
    // Under offscreen the interface exists but its connection is null.
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return unavailable("the X11 connection is not available");
    return std::make_unique<QtX11HotKeyPlatform>(connection, app);
}

} // namespace jw
