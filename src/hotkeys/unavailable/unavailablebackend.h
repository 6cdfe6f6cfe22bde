#pragma once

#include "hotkeys/hotkeybackend.h"

#include <string>

namespace jw {

/// Backend for sessions that offer no global key grabs (Wayland without a
/// shortcuts portal, offscreen, no display): atoms work, every registration
/// is refused with a text that says why.
class UnavailableBackend final : public HotKeyBackend {
public:
    /// `reason` completes the refusal text, e.g. "there is no display".
    explicit UnavailableBackend(std::string reason);

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t, std::int32_t) override {}
    std::string messageText(std::uint32_t code) const override;

private:
    std::string m_reason;
};

} // namespace jw
