#pragma once

#include <cstdint>
#include <string>

namespace jw {

class ISubclass;

/// What cRegHotKey needs from the desktop: global atoms, hot key registration,
/// error texts, a few window functions and the delivery of window messages.
///
/// Every backend (X11, Win32, unavailable, fake) implements it. Names and texts
/// are UTF-8. Window handles are std::intptr_t (X11 window ids and HWNDs fit).
/// Error codes follow the Win32 numbering where one exists.
class IHotKeyPlatform {
public:
    virtual ~IHotKeyPlatform() = default;

    /// Adds a reference to the global atom `name` (names compare without regard
    /// to ASCII letter case), creating it when new. Returns the atom (0xC000 or
    /// above), or 0 on failure with the reason left for lastError().
    virtual std::uint16_t addAtom(const std::string &name) = 0;

    /// Drops one reference to `atom`; the atom goes away with its last reference.
    virtual void deleteAtom(std::uint16_t atom) = 0;

    /// Registers the key combination (`modifiers`: Alt 1, Control 2, Shift 4,
    /// Win 8; `virtualKey`: a Win32 virtual key code) as hot key `id` of window
    /// `hwnd`. Returns false, with the reason left for lastError(), when the
    /// combination is taken or cannot be grabbed.
    virtual bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                std::int32_t virtualKey) = 0;

    /// Releases hot key `id` of window `hwnd`.
    virtual void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) = 0;

    /// Milliseconds since the system started, wrapping at 32 bits.
    virtual std::uint32_t tickCount() = 0;

    /// The error code left by the last failed addAtom or registerHotKey.
    virtual std::uint32_t lastError() = 0;

    /// The system's message text for error `code` (at most 255 characters, a
    /// trailing line break included when the system adds one), or "".
    virtual std::string formatMessage(std::uint32_t code) = 0;

    /// File name of the running program without folder and extension.
    virtual std::string executableName() = 0;

    /// True when window `hwnd` is shown.
    virtual bool isWindowVisible(std::intptr_t hwnd) = 0;

    /// Shows or hides window `hwnd`; `command` is a Win32 SW_ value (SW_SHOW = 5).
    virtual void showWindow(std::intptr_t hwnd, std::int32_t command) = 0;

    /// True when window `hwnd` is minimised.
    virtual bool isIconic(std::intptr_t hwnd) = 0;

    /// Sends a Win32 window message to `hwnd` and returns its result; backends
    /// without Win32 windows understand WM_SYSCOMMAND with SC_RESTORE and SC_MINIMIZE.
    virtual std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message,
                                      std::uintptr_t wParam, std::intptr_t lParam) = 0;

    /// Brings window `hwnd` to the front and gives it the keyboard focus.
    virtual bool setForegroundWindow(std::intptr_t hwnd) = 0;

    /// Starts delivering message `message` of window `hwnd` to `target.WindowProc`.
    virtual void attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) = 0;

    /// Stops what attachMessage started; unknown triples are ignored.
    virtual void detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) = 0;

protected:
    IHotKeyPlatform() = default;
    IHotKeyPlatform(const IHotKeyPlatform &) = default;
    IHotKeyPlatform &operator=(const IHotKeyPlatform &) = default;
};

} // namespace jw
