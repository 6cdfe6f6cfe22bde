#pragma once

#include "hotkeys/hotkeybackend.h"
#include "hotkeys/win/creghotkey.h"

#include <map>
#include <memory>
#include <string>

namespace jw {

/// Global hot keys on Windows: the registry cRegHotKey, attached to a
/// message-only window of this backend, whose WM_HOTKEY messages reach it
/// through the message router as the thread's message loop (Qt's, or any
/// other) dispatches them.
class WinBackend final : public HotKeyBackend {
public:
    /// On the real Windows functions, or on `system` (tests).
    explicit WinBackend(std::unique_ptr<Win32Functions> system = nullptr);
    ~WinBackend() override;

    HotKeyAnswer grab(int id, const Request &request) override;
    void release(int id) override;

    /// The window the keys are registered for, and the registry.
    std::intptr_t window() const { return m_window; }
    const cRegHotKey &registry() const { return *m_registry; }

private:
    std::intptr_t m_window = 0;
    std::unique_ptr<cRegHotKey> m_registry;
    std::map<int, std::string> m_names; ///< id -> the registry's name for the key
};

} // namespace jw
