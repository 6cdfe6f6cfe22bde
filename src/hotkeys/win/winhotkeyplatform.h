#pragma once

#include "hotkeys/ihotkeyplatform.h"
#include "hotkeys/messagerouter.h"

#include <cstdint>
#include <string>

namespace jw {

/// The Win32 desktop: real global atoms, RegisterHotKey (with MOD_NOREPEAT, so
/// a held key raises one press) and window functions. WM_HOTKEY messages
/// reach the attached registry when the owner of the message loop hands them
/// to dispatch().
class WinHotKeyPlatform : public IHotKeyPlatform {
public:
    WinHotKeyPlatform() = default;

    std::uint16_t addAtom(const std::string &name) override;
    void deleteAtom(std::uint16_t atom) override;
    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                        std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;
    std::uint32_t tickCount() override;
    std::uint32_t lastError() override;
    std::string formatMessage(std::uint32_t code) override;
    std::string executableName() override;
    bool isWindowVisible(std::intptr_t hwnd) override;
    void showWindow(std::intptr_t hwnd, std::int32_t command) override;
    bool isIconic(std::intptr_t hwnd) override;
    std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    bool setForegroundWindow(std::intptr_t hwnd) override;
    void attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) override;
    void detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) override;

    /// Hands one message taken from a message queue (an MSG's fields) to the
    /// attached registry. Returns true when something was attached to it.
    bool dispatch(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                  std::intptr_t lParam);

private:
    MessageRouter m_router;
    std::uint32_t m_lastError = 0;
};

} // namespace jw
