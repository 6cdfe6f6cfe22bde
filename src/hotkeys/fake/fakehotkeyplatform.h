#pragma once

#include "hotkeys/atomtable.h"
#include "hotkeys/ihotkeyplatform.h"
#include "hotkeys/messagerouter.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace jw {

/// A desktop for tests: records every call, keeps atoms and registrations the
/// way the system does (case-insensitive atoms with reference counts, one
/// owner per key combination), and lets the test script failures, window
/// states and incoming hot key messages.
class FakeHotKeyPlatform final : public IHotKeyPlatform {
public:
    /// One recorded call: the function's name, its numeric arguments, its text
    /// argument (atom names), and its result (0 for functions without one).
    struct Call {
        std::string function;
        std::vector<std::int64_t> args;
        std::string text;
        std::int64_t result = 0;
    };

    struct Window {
        bool visible = false;
        bool iconic = false;
        bool foreground = false;
    };

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

    // Script.
    /// The value tickCount() answers from now on.
    void setTickCount(std::uint32_t ticks) { m_ticks = ticks; }
    /// The value executableName() answers from now on.
    void setExecutableName(std::string name) { m_exeName = std::move(name); }
    /// The next addAtom fails with `error`.
    void failNextAddAtom(std::uint32_t error) { m_failAtom = error; }
    /// registerHotKey refuses the combination with `error` (as if another program held it).
    void takeCombination(std::int32_t modifiers, std::int32_t virtualKey, std::uint32_t error = 1409);
    /// The text formatMessage answers for `code` (none by default).
    void setMessageText(std::uint32_t code, std::string text) { m_texts[code] = std::move(text); }
    /// State of window `hwnd` as the window functions see it.
    Window &window(std::intptr_t hwnd) { return m_windows[hwnd]; }
    /// Delivers WM_HOTKEY of `hwnd` as the desktop would; true when something received it.
    bool postHotKey(std::intptr_t hwnd, std::int32_t wParam, std::int32_t lParam);
    /// Delivers any message of `hwnd`; true when something received it.
    bool postMessage(std::intptr_t hwnd, std::uint32_t message, std::int32_t wParam, std::int32_t lParam);

    // Inspection.
    const std::vector<Call> &calls() const { return m_calls; }
    /// The functions called, in order.
    std::vector<std::string> functionsCalled() const;
    void clearCalls() { m_calls.clear(); }
    AtomTable &atoms() { return m_atoms; }
    /// True when hot key `id` of `hwnd` is registered.
    bool isRegistered(std::intptr_t hwnd, std::int32_t id) const;
    /// Number of hot keys registered.
    std::size_t registrationCount() const { return m_registrations.size(); }
    /// True when a target is attached to `message` of `hwnd`.
    bool isAttached(std::intptr_t hwnd, std::uint32_t message) const;

private:
    struct Registration {
        std::intptr_t hwnd;
        std::int32_t id;
        std::int32_t modifiers;
        std::int32_t virtualKey;
    };

    void record(std::string function, std::vector<std::int64_t> args, std::int64_t result = 0,
                std::string text = {});

    std::vector<Call> m_calls;
    AtomTable m_atoms;
    MessageRouter m_router;
    std::vector<Registration> m_registrations;
    std::map<std::tuple<std::int32_t, std::int32_t>, std::uint32_t> m_taken;
    std::map<std::uint32_t, std::string> m_texts;
    std::map<std::intptr_t, Window> m_windows;
    std::optional<std::uint32_t> m_failAtom;
    std::uint32_t m_lastError = 0;
    std::uint32_t m_ticks = 1000;
    std::string m_exeName = "jotwell";
};

} // namespace jw
