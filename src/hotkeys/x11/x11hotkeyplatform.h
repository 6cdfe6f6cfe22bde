#pragma once

#include "hotkeys/emulatedplatform.h"

#include <cstdint>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace jw {

/// Global hot keys on an X11 display: each registration grabs its key on the
/// root window with the asked modifiers and every NumLock/CapsLock variant;
/// a combination another client holds fails at once with
/// HotKeyAlreadyRegistered. Presses reach the attached window's WindowProc
/// as WM_HOTKEY, one per press however long the key is held.
///
/// The owner feeds the connection's events to handleEvent() on the UI thread.
class X11HotKeyPlatform : public EmulatedPlatform {
public:
    /// Uses `connection` (not owned; must stay open until disconnect() or destruction).
    explicit X11HotKeyPlatform(xcb_connection_t *connection);

    /// Releases every grab still held.
    ~X11HotKeyPlatform() override;

    X11HotKeyPlatform(const X11HotKeyPlatform &) = delete;
    X11HotKeyPlatform &operator=(const X11HotKeyPlatform &) = delete;

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                        std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;

    /// Looks at one event read from the connection (an xcb_generic_event_t).
    /// Returns true when it was a press, repeat or release of a registered
    /// combination, which nobody else should see.
    bool handleEvent(const void *event);

    /// Stops using the connection because it is about to close; the server
    /// drops the grabs with it. Registrations fail from now on.
    void disconnect();

    /// True while the connection is in use.
    bool isConnected() const;

    /// Number of auto-repeat presses swallowed so far.
    std::uint64_t repeatsSuppressed() const;

protected:
    std::string messageText(std::uint32_t code) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace jw
