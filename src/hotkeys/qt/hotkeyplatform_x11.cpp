#include "hotkeys/qt/hotkeyplatform.h"

#include "hotkeys/qt/desktopservice.h"
#include "hotkeys/unavailable/unavailablebackend.h"
#include "hotkeys/x11/x11backend.h"
#include "hotkeys/x11/x11focus.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace jw {

namespace {

std::unique_ptr<HotKeyBackend> grabs(QGuiApplication &app, const QString &platform)
{
    const auto unavailable = [](const char *why) {
        return std::make_unique<UnavailableBackend>(QCoreApplication::translate("jw::HotKey", why).toStdString());
    };
    if (platform.startsWith(QLatin1StringView("wayland")))
        return unavailable(
            QT_TRANSLATE_NOOP("jw::HotKey", "Wayland does not let programs grab keys for the whole desktop"));
    if (platform != QLatin1StringView("xcb"))
        return std::make_unique<UnavailableBackend>(
            QCoreApplication::translate("jw::HotKey", "the window system \"%1\" offers no global key grabs")
                .arg(platform)
                .toStdString());
    // Under offscreen the interface exists but its connection is null.
    auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return unavailable(QT_TRANSLATE_NOOP("jw::HotKey", "the X11 connection is not available"));
    return std::make_unique<X11Backend>(*x11->connection(), app);
}

} // namespace

std::unique_ptr<HotKeyService> createHotKeyService()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const QString platform = app ? QGuiApplication::platformName() : QString();
    // Without a display there is no desktop service to ask either.
    if (!app || platform == QLatin1StringView("offscreen") || platform == QLatin1StringView("minimal")) {
        const char *why = app ? QT_TRANSLATE_NOOP("jw::HotKey", "there is no display")
                              : QT_TRANSLATE_NOOP("jw::HotKey", "no graphical application is running");
        return std::make_unique<HotKeyService>(
            std::make_unique<UnavailableBackend>(QCoreApplication::translate("jw::HotKey", why).toStdString()));
    }
    return std::make_unique<HotKeyService>(grabs(*app, platform), desktopShortcutService());
}

std::unique_ptr<WindowFocus> createWindowFocus()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    auto *x11 = app && QGuiApplication::platformName() == QLatin1StringView("xcb")
                    ? app->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (x11 && x11->connection())
        return std::make_unique<X11Focus>(*x11->connection());
    return std::make_unique<QtWindowFocus>();
}

} // namespace jw
