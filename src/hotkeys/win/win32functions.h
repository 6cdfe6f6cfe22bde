#pragma once

#include <cstdint>
#include <string>

namespace jw {

/// What a window-message router delivers messages to.
class ISubclass {
public:
    /// How the router treats a message after WindowProc: 2 = handled here,
    /// the window's own procedure does not see it.
    virtual std::int32_t MsgResponse() const = 0;
    virtual void setMsgResponse(std::int32_t response) = 0;
    /// One message of a window the router was asked to deliver.
    virtual std::int32_t WindowProc(std::intptr_t hwnd, std::int32_t iMsg, std::int32_t wParam,
                                    std::int32_t lParam) = 0;

protected:
    ~ISubclass() = default;
};

/// The Windows functions the hot key registry uses, by native handle (names
/// are UTF-8). The real ones are in winfunctions.cpp; tests use a fake.
class Win32Functions {
public:
    virtual ~Win32Functions() = default;

    /// GlobalAddAtom: a reference to atom `name` (case-insensitive), 0 on failure.
    virtual std::uint16_t addAtom(const std::string &name) = 0;
    /// GlobalDeleteAtom.
    virtual void deleteAtom(std::uint16_t atom) = 0;
    /// RegisterHotKey: false when refused.
    virtual bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                std::int32_t virtualKey) = 0;
    /// UnregisterHotKey.
    virtual void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) = 0;
    /// GetLastError after a failed call.
    virtual std::uint32_t lastError() const = 0;
    /// FormatMessage: the system's text for error `code`, "" when there is none.
    virtual std::string messageText(std::uint32_t code) const = 0;
    /// GetTickCount: milliseconds since the system started, wrapping at 32 bits.
    virtual std::uint32_t tickCount() const = 0;
    /// The running program's file name without folder and extension.
    virtual std::string programName() const = 0;

    /// IsWindowVisible, ShowWindow(SW_SHOW), IsIconic, WM_SYSCOMMAND SC_RESTORE, SetForegroundWindow.
    virtual bool isVisible(std::intptr_t hwnd) = 0;
    virtual void show(std::intptr_t hwnd) = 0;
    virtual bool isMinimised(std::intptr_t hwnd) = 0;
    virtual void restore(std::intptr_t hwnd) = 0;
    virtual void bringToFront(std::intptr_t hwnd) = 0;

    /// The message router: message `message` of window `hwnd` goes to
    /// `subclass` until detached.
    virtual void attachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) = 0;
    virtual void detachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) = 0;

protected:
    Win32Functions() = default;
    Win32Functions(const Win32Functions &) = default;
    Win32Functions &operator=(const Win32Functions &) = default;
};

} // namespace jw
