#pragma once

#include "hotkeys/ihotkeyplatform.h"

namespace jw::test {

/// Hands every call on to a platform the test keeps, so the test can look at
/// that platform after the registry that owned this one is gone.
class ForwardingPlatform final : public IHotKeyPlatform {
public:
    explicit ForwardingPlatform(IHotKeyPlatform &target) : m_target(target) {}

    std::uint16_t addAtom(const std::string &name) override { return m_target.addAtom(name); }
    void deleteAtom(std::uint16_t atom) override { m_target.deleteAtom(atom); }
    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                        std::int32_t virtualKey) override
    {
        return m_target.registerHotKey(hwnd, id, modifiers, virtualKey);
    }
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override { m_target.unregisterHotKey(hwnd, id); }
    std::uint32_t tickCount() override { return m_target.tickCount(); }
    std::uint32_t lastError() override { return m_target.lastError(); }
    std::string formatMessage(std::uint32_t code) override { return m_target.formatMessage(code); }
    std::string executableName() override { return m_target.executableName(); }
    bool isWindowVisible(std::intptr_t hwnd) override { return m_target.isWindowVisible(hwnd); }
    void showWindow(std::intptr_t hwnd, std::int32_t command) override { m_target.showWindow(hwnd, command); }
    bool isIconic(std::intptr_t hwnd) override { return m_target.isIconic(hwnd); }
    std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override
    {
        return m_target.sendMessage(hwnd, message, wParam, lParam);
    }
    bool setForegroundWindow(std::intptr_t hwnd) override { return m_target.setForegroundWindow(hwnd); }
    void attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) override
    {
        m_target.attachMessage(target, hwnd, message);
    }
    void detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message) override
    {
        m_target.detachMessage(target, hwnd, message);
    }

private:
    IHotKeyPlatform &m_target;
};

} // namespace jw::test
