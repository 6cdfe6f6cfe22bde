#pragma once

#include "hotkeys/creghotkey.h"
#include "hotkeys/win/winhotkeyplatform.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace jw::test {

struct Press {
    std::string name;
    std::int32_t modifiers;
    std::int32_t key;
    bool operator==(const Press &) const = default;
};

void PrintTo(const Press &press, std::ostream *os);

/// A hidden message-only window of this thread, like the one a program
/// registers its hot keys on.
class MessageWindow final {
public:
    MessageWindow();
    ~MessageWindow();
    MessageWindow(const MessageWindow &) = delete;
    MessageWindow &operator=(const MessageWindow &) = delete;

    std::intptr_t handle() const { return m_hwnd; }

private:
    std::intptr_t m_hwnd = 0;
};

/// The Win32 backend that also notes every atom it hands out, in a list
/// that outlives the backend.
class RecordingWinPlatform final : public WinHotKeyPlatform {
public:
    explicit RecordingWinPlatform(std::shared_ptr<std::vector<std::uint16_t>> atoms)
        : m_atoms(std::move(atoms)) {}

    std::uint16_t addAtom(const std::string &name) override;

private:
    std::shared_ptr<std::vector<std::uint16_t>> m_atoms;
};

/// A registry on the real Win32 backend whose presses go to `log`; `backend`
/// receives the backend, `atoms` (optional) every atom it creates.
std::unique_ptr<cRegHotKey> makeRegistry(std::vector<Press> &log, WinHotKeyPlatform **backend,
                                         std::shared_ptr<std::vector<std::uint16_t>> atoms = nullptr);

/// Posts WM_HOTKEY to `hwnd` the way the system does (identifier sign-extended).
void postHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t key);

/// Takes every message waiting for this thread, handing each to `backend`
/// first (as Qt's native event filter would) and dispatching the rest.
void pumpMessages(WinHotKeyPlatform &backend);

/// True while global atom `atom` exists.
bool atomExists(std::uint16_t atom);

/// The name of global atom `atom`, "" when it does not exist.
std::string atomName(std::uint16_t atom);

} // namespace jw::test
