#include "hotkeys/qt/hotkeyplatform.h"

#include "hotkeys/qt/windowfocus.h"
#include "hotkeys/win/winbackend.h"

namespace jw {

// The backend's window receives WM_HOTKEY from Qt's message loop like any other window.
std::unique_ptr<HotKeyService> createHotKeyService()
{
    return std::make_unique<HotKeyService>(std::make_unique<WinBackend>());
}

std::unique_ptr<WindowFocus> createWindowFocus() { return std::make_unique<QtWindowFocus>(); }

} // namespace jw
