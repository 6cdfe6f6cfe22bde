#pragma once

#include "hotkeys/hotkeyservice.h"

#include <memory>

namespace jw {

/// The hot keys of the running QGuiApplication's desktop: grabs on X11 when
/// the platform is "xcb" with a live connection and on Windows; elsewhere
/// every grab is refused as Unsupported with the reason. The desktop's
/// shortcut portal is offered beside them in a graphical session when the
/// build has D-Bus. Call on the UI thread after the application exists.
std::unique_ptr<HotKeyService> createHotKeyService();

} // namespace jw
