#include "hotkeys/qt/desktopservice.h"

#if JW_HAVE_PORTAL
#include "hotkeys/portal/portalbackend.h"
#endif

namespace jw {

std::unique_ptr<HotKeyBackend> desktopShortcutService()
{
#if JW_HAVE_PORTAL
    return std::make_unique<PortalBackend>();
#else
    return nullptr;
#endif
}

} // namespace jw
