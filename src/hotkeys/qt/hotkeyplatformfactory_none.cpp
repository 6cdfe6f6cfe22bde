#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/unavailable/unavailablebackend.h"

namespace jw {

// Builds without X11 support know no desktop with global key grabs.
std::unique_ptr<HotKeyBackend> createHotKeyBackend()
{
    return std::make_unique<UnavailableBackend>("this build has no support for the desktop's global keys");
}

} // namespace jw
