#pragma once

#include "hotkeys/hotkeybackend.h"

#include <string>

namespace jw {

/// Sessions that offer no global key grabs (Wayland, offscreen, no display):
/// every request is refused as Unsupported, with the reason.
class UnavailableBackend final : public HotKeyBackend {
public:
    /// `reason` says why, e.g. "there is no display".
    explicit UnavailableBackend(std::string reason) : m_reason(std::move(reason)) {}

    HotKeyAnswer grab(int, const Request &) override { return {HotKeyRefusal::Unsupported, m_reason}; }
    void release(int) override {}

private:
    std::string m_reason;
};

} // namespace jw
