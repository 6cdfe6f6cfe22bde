#pragma once

#include "hotkeys/win/win32functions.h"

namespace jw {

/// The real Windows functions. The message router subclasses each window it
/// is asked to serve (SetWindowSubclass) and is shared by the whole process.
class WinFunctions final : public Win32Functions {
public:
    std::uint16_t addAtom(const std::string &name) override;
    void deleteAtom(std::uint16_t atom) override;
    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers, std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;
    std::uint32_t lastError() const override { return m_lastError; }
    std::string messageText(std::uint32_t code) const override;
    std::uint32_t tickCount() const override;
    std::string programName() const override;
    bool isVisible(std::intptr_t hwnd) override;
    void show(std::intptr_t hwnd) override;
    bool isMinimised(std::intptr_t hwnd) override;
    void restore(std::intptr_t hwnd) override;
    void bringToFront(std::intptr_t hwnd) override;
    void attachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) override;
    void detachMessage(ISubclass &subclass, std::intptr_t hwnd, std::int32_t message) override;

private:
    std::uint32_t m_lastError = 0;
};

} // namespace jw
