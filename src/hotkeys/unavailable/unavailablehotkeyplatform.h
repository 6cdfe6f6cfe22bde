#pragma once

#include "hotkeys/emulatedplatform.h"

#include <string>

namespace jw {

/// Backend for sessions that offer no global key grabs (Wayland without X11,
/// no display, offscreen): atoms work, every registration is refused with
/// NotSupported and a text that says why.
class UnavailableHotKeyPlatform : public EmulatedPlatform {
public:
    /// `reason` completes the refusal text, e.g. "no display"; may be empty.
    explicit UnavailableHotKeyPlatform(std::string reason);

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                        std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;

protected:
    std::string messageText(std::uint32_t code) const override;

private:
    std::string m_reason;
};

} // namespace jw
