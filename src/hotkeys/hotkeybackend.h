#pragma once

#include "hotkeys/atomtable.h"

#include <cstdint>
#include <functional>
#include <string>

namespace jw {

/// One press of a hot key combination, as the desktop reports it.
struct HotKeyPressed {
    std::intptr_t hwnd;      ///< the window the key was registered for (0: none)
    std::int32_t id;         ///< the hot key identifier
    std::int32_t modifiers;  ///< MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    std::int32_t virtualKey; ///< Win32 virtual key code
};

/// The desktop's global hot keys, as cRegHotKey uses them. A backend grabs
/// and releases combinations and explains its failures; the bookkeeping it
/// shares with every other backend lives here: the error code of the last
/// failure, the press callback, an atom table kept in the process (for
/// desktops without Win32's global atoms), the clock and the program's name.
///
/// All calls, and the press callback, happen on the UI thread. A desktop that
/// answers a registration later (the GlobalShortcuts portal) fits by
/// accepting at once; its later refusals will need a callback like the presses'.
class HotKeyBackend {
public:
    using PressHandler = std::function<void(const HotKeyPressed &)>;

    virtual ~HotKeyBackend() = default;
    HotKeyBackend(const HotKeyBackend &) = delete;
    HotKeyBackend &operator=(const HotKeyBackend &) = delete;

    /// Grabs `virtualKey` with exactly `modifiers` for the whole desktop as
    /// hot key `id` of window `hwnd`. Returns false, with the reason left for
    /// lastError(), when the desktop refuses (another program holds it, ...).
    virtual bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                std::int32_t virtualKey) = 0;

    /// Releases hot key `id` of `hwnd`; pairs never registered are ignored.
    virtual void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) = 0;

    /// The text for error `code`, "" when there is none. This one knows the
    /// codes the shared atom table and the common refusals leave.
    virtual std::string messageText(std::uint32_t code) const;

    /// Adds a reference to the atom `name` (case-insensitive), creating it
    /// when new; 0 on failure, with the reason left for lastError().
    virtual std::uint16_t addAtom(const std::string &name);

    /// Drops one reference to `atom`.
    virtual void deleteAtom(std::uint16_t atom);

    /// Milliseconds since the system started, wrapping at 32 bits.
    virtual std::uint32_t tickCount() const;

    /// The running program's file name without folder and extension.
    virtual std::string programName() const;

    /// The error code the last failed call left.
    std::uint32_t lastError() const { return m_lastError; }

    /// From now on every press goes to `handler` (none when empty).
    void setPressHandler(PressHandler handler) { m_pressHandler = std::move(handler); }

    /// The atoms handed out by the shared table.
    const AtomTable &atoms() const { return m_atoms; }

protected:
    HotKeyBackend() = default;

    void setLastError(std::uint32_t code) { m_lastError = code; }

    /// Hands a press to the handler. The handler may unregister keys or
    /// destroy this backend: touch no member after calling this.
    void reportPress(const HotKeyPressed &press) const;

private:
    AtomTable m_atoms;
    PressHandler m_pressHandler;
    std::uint32_t m_lastError = 0;
};

} // namespace jw
