#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/qt/qtwindows.h"
#include "hotkeys/unavailable/unavailablehotkeyplatform.h"

namespace jw {

// Builds without X11 support know no desktop with global key grabs.
std::unique_ptr<IHotKeyPlatform> createHotKeyPlatform()
{
    return std::make_unique<QtWindows<UnavailableHotKeyPlatform>>(
        "this build has no support for the desktop's global keys");
}

} // namespace jw
