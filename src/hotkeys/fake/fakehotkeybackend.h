#pragma once

#include "hotkeys/hotkeybackend.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace jw {

/// A desktop for tests, on the shared bookkeeping (atoms, errors, press
/// callback): one owner per key combination, scripted clock, program name,
/// failures and texts, and presses typed by the test.
class FakeHotKeyBackend final : public HotKeyBackend {
public:
    struct Registration {
        std::intptr_t hwnd;
        std::int32_t id;
        std::int32_t modifiers;
        std::int32_t virtualKey;
    };

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;
    std::string messageText(std::uint32_t code) const override;
    std::uint16_t addAtom(const std::string &name) override;
    std::uint32_t tickCount() const override { return m_ticks; }
    std::string programName() const override { return m_programName; }

    void setTickCount(std::uint32_t ticks) { m_ticks = ticks; }
    void setProgramName(std::string name) { m_programName = std::move(name); }
    /// The next addAtom fails with `error`.
    void failNextAtom(std::uint32_t error) { m_atomFailure = error; }
    /// Registering the combination fails with `error`, as if another program held it.
    void takeCombination(std::int32_t modifiers, std::int32_t virtualKey, std::uint32_t error);
    /// The text messageText gives for `code` instead of the shared one.
    void setMessageText(std::uint32_t code, std::string text) { m_texts[code] = std::move(text); }
    /// The user presses the combination; false when nothing is registered for it.
    bool press(std::int32_t modifiers, std::int32_t virtualKey);

    /// The current registrations, oldest first.
    const std::vector<Registration> &registrations() const { return m_registrations; }
    /// The identifiers released so far, in order; the list outlives the backend.
    std::shared_ptr<const std::vector<std::int32_t>> released() const { return m_released; }

private:
    std::vector<Registration> m_registrations;
    std::shared_ptr<std::vector<std::int32_t>> m_released = std::make_shared<std::vector<std::int32_t>>();
    std::map<std::pair<std::int32_t, std::int32_t>, std::uint32_t> m_taken;
    std::map<std::uint32_t, std::string> m_texts;
    std::optional<std::uint32_t> m_atomFailure;
    std::uint32_t m_ticks = 4242;
    std::string m_programName = "jotwell";
};

} // namespace jw
