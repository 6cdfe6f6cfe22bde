#include "hotkeys/qt/hotkeyplatform.h"

#include "hotkeys/qt/desktopservice.h"
#include "hotkeys/qt/windowfocus.h"
#include "hotkeys/unavailable/unavailablebackend.h"

#include <QCoreApplication>

namespace jw {

// Builds without X11 support know no desktop with global key grabs.
std::unique_ptr<HotKeyService> createHotKeyService()
{
    const QString why =
        QCoreApplication::translate("jw::HotKey", "this build has no support for the desktop's global keys");
    return std::make_unique<HotKeyService>(std::make_unique<UnavailableBackend>(why.toStdString()),
                                           desktopShortcutService());
}

std::unique_ptr<WindowFocus> createWindowFocus() { return std::make_unique<QtWindowFocus>(); }

} // namespace jw
