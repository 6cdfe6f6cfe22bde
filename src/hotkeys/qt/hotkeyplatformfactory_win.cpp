#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/qt/qtwinhotkeyplatform.h"

namespace jw {

std::unique_ptr<IHotKeyPlatform> createHotKeyPlatform()
{
    return std::make_unique<QtWinHotKeyPlatform>();
}

} // namespace jw
