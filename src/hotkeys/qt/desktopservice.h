#pragma once

#include "hotkeys/hotkeybackend.h"

#include <memory>

namespace jw {

/// The desktop's shortcut portal on the session bus; null when the build has no D-Bus.
std::unique_ptr<HotKeyBackend> desktopShortcutService();

} // namespace jw
