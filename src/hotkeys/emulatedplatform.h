#pragma once

#include "hotkeys/atomtable.h"
#include "hotkeys/ihotkeyplatform.h"
#include "hotkeys/messagerouter.h"

#include <cstdint>
#include <string>

namespace jw {

/// Base of the backends for desktops without Win32's bookkeeping: it keeps the
/// global atoms in an AtomTable, the last error in a member, the error texts in
/// a table of its own, and routes messages through a MessageRouter. Hot key
/// grabbing is left to the derived backend; the window functions answer as for
/// a window that does not exist until a derived class knows better.
class EmulatedPlatform : public IHotKeyPlatform {
public:
    std::uint16_t addAtom(const std::string &name) override;
    void deleteAtom(std::uint16_t atom) override;
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

    /// The atoms handed out so far (for inspection).
    const AtomTable &atoms() const { return m_atoms; }

protected:
    EmulatedPlatform() = default;

    /// Records the code that lastError() reports.
    void setLastError(std::uint32_t code) { m_lastError = code; }

    /// Text for codes the derived backend adds; "" when it has none for `code`.
    virtual std::string messageText(std::uint32_t code) const;

    /// Posts a hot key press as WM_HOTKEY to whatever is attached to `hwnd`;
    /// true when something received it.
    bool deliverHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                       std::int32_t virtualKey);

private:
    AtomTable m_atoms;
    MessageRouter m_router;
    std::uint32_t m_lastError = 0;
};

} // namespace jw
