#pragma once

#include "hotkeys/win/hotkeyerror.h"
#include "hotkeys/win/win32functions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace jw {

/// Named system-wide hot keys for one Windows window: a global atom per key
/// is its hot key identifier, and the window's WM_HOTKEY messages, routed to
/// WindowProc, raise HotKeyPress(sName, eModifiers, eKey) synchronously.
/// Windows is reached only through the functions handed to the constructor.
/// Errors are thrown as jw::HotKeyError. Use from the UI thread only.
class cRegHotKey final : public ISubclass {
public:
    /// Error numbers (32-bit values, as signed numbers).
    static constexpr std::int32_t ErrNotRegistered = static_cast<std::int32_t>(0x80040419u);
    static constexpr std::int32_t ErrAddAtom = static_cast<std::int32_t>(0x8004041Au);
    static constexpr std::int32_t ErrNameTooLong = static_cast<std::int32_t>(0x8004041Bu);
    static constexpr std::int32_t ErrNameTaken = static_cast<std::int32_t>(0x8004041Cu);
    static constexpr std::int32_t ErrRegisterRefused = static_cast<std::int32_t>(0x8004041Du);

    /// One registered key.
    struct tHotKey {
        std::string sName;
        std::string sAtomName;
        std::int32_t lID = 0;
        std::int32_t eKey = 0;
        std::int32_t eModifiers = 0;
    };

    using HotKeyPressHandler =
        std::function<void(const std::string &sName, std::int32_t eModifiers, std::int32_t eKey)>;

    /// The event: called for every hot key press, before WindowProc returns.
    HotKeyPressHandler HotKeyPress;

    /// Takes over `system` (not null).
    explicit cRegHotKey(std::unique_ptr<Win32Functions> system);

    /// Releases every key, last registered first, then detaches.
    ~cRegHotKey();

    cRegHotKey(const cRegHotKey &) = delete;
    cRegHotKey &operator=(const cRegHotKey &) = delete;

    /// Releases everything (Clear), then has the router deliver `hwndA`'s
    /// WM_HOTKEY messages to WindowProc; 0 leaves the registry detached.
    void Attach(std::intptr_t hwndA);

    /// Unregisters every key, last registered first, and detaches from the window.
    void Clear();

    /// Registers `eKey` (virtual key code) with `eModifiers` (Alt 1, Control 2,
    /// Shift 4) under `sName` (at most 32 characters, unique, case-sensitive).
    void RegisterKey(const std::string &sName, std::int32_t eKey, std::int32_t eModifiers);

    /// Releases the key registered under `sName`; throws ErrNotRegistered when there is none.
    void UnregisterKey(const std::string &sName);

    /// Shows `hwnd` when hidden, restores it when minimised, and brings it to the front.
    void RestoreAndActivate(std::intptr_t hwnd);

    /// How the router treats the messages it delivers: always 2.
    std::int32_t MsgResponse() const override { return 2; }

    /// Ignored: the answer stays 2.
    void setMsgResponse(std::int32_t) override {}

    /// Turns WM_HOTKEY (786) into HotKeyPress; returns 0 for every message.
    std::int32_t WindowProc(std::intptr_t hwnd, std::int32_t iMsg, std::int32_t wParam, std::int32_t lParam) override;

    /// Number of registered keys.
    std::int32_t count() const { return m_iCount; }

    /// The registered key at 1-based `index` (1..count()), in registration order.
    const tHotKey &key(std::int32_t index) const;

    /// The attached window, 0 when detached.
    std::intptr_t attachedWindow() const { return m_hWnd; }

private:
    std::int32_t IndexOfKey(const std::string &sName) const;
    std::string SystemErrorText(std::uint32_t lErr) const;
    std::string errorSource() const;
    HotKeyError systemError(std::int32_t number, const std::string &description, std::uint32_t code) const;
    std::int32_t addUniqueAtom(const std::string &sName, std::string &atomName);
    bool idInUse(std::int32_t lID) const;
    void releaseAt(std::int32_t index);

    std::unique_ptr<Win32Functions> m_system;
    std::intptr_t m_hWnd = 0;
    std::int32_t m_iCount = 0;
    std::vector<tHotKey> m_tKeys; // element i - 1 holds key i
};

} // namespace jw
