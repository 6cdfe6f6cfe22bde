#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/qt/qtwindowfunctions.h"

Q_LOGGING_CATEGORY(lcHotKeys, "jotwell.hotkeys")

namespace jw {

std::unique_ptr<cRegHotKey> createHotKeyRegistry()
{
    return std::make_unique<cRegHotKey>(createHotKeyBackend(), std::make_unique<QtWindowFunctions>());
}

} // namespace jw
