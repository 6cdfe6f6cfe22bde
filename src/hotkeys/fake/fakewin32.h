#pragma once

#include "hotkeys/fake/atomtable.h"
#include "hotkeys/win/win32functions.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace jw {

/// Windows for tests of the registry: global atoms kept in the process, one
/// owner per key combination, a message router, a scripted clock, program
/// name, failures and texts, and presses typed by the test.
class FakeWin32 final : public Win32Functions {
public:
    struct Registration {
        std::intptr_t hwnd;
        std::int32_t id;
        std::int32_t modifiers;
        std::int32_t virtualKey;
    };

    std::uint16_t addAtom(const std::string &name) override;
    void deleteAtom(std::uint16_t atom) override { m_atoms.remove(atom); }
    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;
    std::uint32_t lastError() const override { return m_lastError; }
    std::string messageText(std::uint32_t code) const override;
    std::uint32_t tickCount() const override { return m_ticks; }
    std::string programName() const override { return m_programName; }
    // Windows that are neither shown nor minimised, and stay so.
    bool isVisible(std::intptr_t) override { return false; }
    void show(std::intptr_t) override {}
    bool isMinimised(std::intptr_t) override { return false; }
    void restore(std::intptr_t) override {}
    void bringToFront(std::intptr_t) override {}
    void attachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) override;
    void detachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) override;

    void setTickCount(std::uint32_t ticks) { m_ticks = ticks; }
    void setProgramName(std::string name) { m_programName = std::move(name); }
    /// The next addAtom fails with `error`.
    void failNextAtom(std::uint32_t error) { m_atomFailure = error; }
    /// Registering the combination fails with `error`, as if another program held it.
    void takeCombination(std::int32_t modifiers, std::int32_t virtualKey, std::uint32_t error);
    /// The text messageText gives for `code`.
    void setMessageText(std::uint32_t code, std::string text) { m_texts[code] = std::move(text); }
    /// The user presses the combination: WM_HOTKEY goes to its window's
    /// router. False when nothing is registered for it.
    bool press(std::int32_t modifiers, std::int32_t virtualKey);
    /// Message `message` reaches window `hwnd`; what the routed subclass answered, if one was.
    std::optional<std::int32_t> send(std::intptr_t hwnd, std::int32_t message, std::int32_t wParam,
                                     std::int32_t lParam);

    /// The current registrations, oldest first.
    const std::vector<Registration> &registrations() const { return m_registrations; }
    /// The identifiers released so far, in order; the list outlives this object.
    std::shared_ptr<const std::vector<std::int32_t>> released() const { return m_released; }
    const AtomTable &atoms() const { return m_atoms; }

private:
    std::vector<Registration> m_registrations;
    std::shared_ptr<std::vector<std::int32_t>> m_released = std::make_shared<std::vector<std::int32_t>>();
    std::map<std::pair<std::int32_t, std::int32_t>, std::uint32_t> m_taken;
    std::map<std::uint32_t, std::string> m_texts;
    std::map<std::pair<std::intptr_t, std::int32_t>, ISubclass *> m_routes;
    std::optional<std::uint32_t> m_atomFailure;
    AtomTable m_atoms;
    std::uint32_t m_lastError = 0;
    std::uint32_t m_ticks = 4242;
    std::string m_programName = "jotwell";
};

} // namespace jw
