#pragma once

#include "hotkeys/hotkeybackend.h"

#include <cstdint>
#include <string>

namespace jw {

/// The Win32 desktop: RegisterHotKey (with MOD_NOREPEAT, so a held key is one
/// press), the system's global atoms and its error texts.
/// The owner of the message loop hands the thread's messages to handleMessage().
class WinBackend : public HotKeyBackend {
public:
    WinBackend() = default;

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;
    std::string messageText(std::uint32_t code) const override;
    std::uint16_t addAtom(const std::string &name) override;
    void deleteAtom(std::uint16_t atom) override;

    /// Reports a WM_HOTKEY message (an MSG's fields) as a press; false for other messages.
    bool handleMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
};

} // namespace jw
