#include "hotkeys/fake/fakehotkeyplatform.h"

#include "hotkeys/platformerrors.h"

#include <algorithm>
#include <utility>

namespace jw {

namespace {

constexpr std::uint32_t WM_SYSCOMMAND = 274;
constexpr std::uintptr_t SC_MINIMIZE = 0xF020;
constexpr std::uintptr_t SC_RESTORE = 0xF120;

} // namespace

std::uint16_t FakeHotKeyPlatform::addAtom(const std::string &name)
{
    std::uint16_t atom = 0;
    if (m_failAtom) {
        m_lastError = *m_failAtom;
        m_failAtom.reset();
    } else {
        atom = m_atoms.add(name, m_lastError);
    }
    record("addAtom", {}, atom, name);
    return atom;
}

void FakeHotKeyPlatform::deleteAtom(std::uint16_t atom)
{
    const bool removed = m_atoms.remove(atom, m_lastError);
    record("deleteAtom", {atom}, removed ? 1 : 0);
}

bool FakeHotKeyPlatform::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                        std::int32_t virtualKey)
{
    bool ok = true;
    if (const auto taken = m_taken.find({modifiers, virtualKey}); taken != m_taken.end()) {
        m_lastError = taken->second;
        ok = false;
    } else if (std::any_of(m_registrations.begin(), m_registrations.end(), [&](const Registration &r) {
                   return r.modifiers == modifiers && r.virtualKey == virtualKey;
               })) {
        m_lastError = platformerror::HotKeyAlreadyRegistered;
        ok = false;
    } else {
        m_registrations.push_back({hwnd, id, modifiers, virtualKey});
    }
    record("registerHotKey", {hwnd, id, modifiers, virtualKey}, ok ? 1 : 0);
    return ok;
}

void FakeHotKeyPlatform::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    const auto found = std::find_if(m_registrations.begin(), m_registrations.end(),
                                    [&](const Registration &r) { return r.hwnd == hwnd && r.id == id; });
    const bool removed = found != m_registrations.end();
    if (removed)
        m_registrations.erase(found);
    else
        m_lastError = platformerror::HotKeyNotRegistered;
    record("unregisterHotKey", {hwnd, id}, removed ? 1 : 0);
}

std::uint32_t FakeHotKeyPlatform::tickCount()
{
    record("tickCount", {}, m_ticks);
    return m_ticks;
}

std::uint32_t FakeHotKeyPlatform::lastError()
{
    record("lastError", {}, m_lastError);
    return m_lastError;
}

std::string FakeHotKeyPlatform::formatMessage(std::uint32_t code)
{
    const auto found = m_texts.find(code);
    std::string text = found == m_texts.end() ? std::string() : found->second;
    record("formatMessage", {code}, static_cast<std::int64_t>(text.size()), text);
    return text;
}

std::string FakeHotKeyPlatform::executableName()
{
    record("executableName", {}, 0, m_exeName);
    return m_exeName;
}

bool FakeHotKeyPlatform::isWindowVisible(std::intptr_t hwnd)
{
    const bool visible = m_windows[hwnd].visible;
    record("isWindowVisible", {hwnd}, visible);
    return visible;
}

void FakeHotKeyPlatform::showWindow(std::intptr_t hwnd, std::int32_t command)
{
    m_windows[hwnd].visible = command != 0;
    record("showWindow", {hwnd, command});
}

bool FakeHotKeyPlatform::isIconic(std::intptr_t hwnd)
{
    const bool iconic = m_windows[hwnd].iconic;
    record("isIconic", {hwnd}, iconic);
    return iconic;
}

std::intptr_t FakeHotKeyPlatform::sendMessage(std::intptr_t hwnd, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message == WM_SYSCOMMAND && wParam == SC_RESTORE)
        m_windows[hwnd].iconic = false;
    else if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE)
        m_windows[hwnd].iconic = true;
    record("sendMessage",
           {hwnd, static_cast<std::int64_t>(message), static_cast<std::int64_t>(wParam), lParam});
    return 0;
}

bool FakeHotKeyPlatform::setForegroundWindow(std::intptr_t hwnd)
{
    for (auto &[handle, state] : m_windows)
        state.foreground = false;
    m_windows[hwnd].foreground = true;
    record("setForegroundWindow", {hwnd}, 1);
    return true;
}

void FakeHotKeyPlatform::attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.attach(target, hwnd, message);
    record("attachMessage", {hwnd, message});
}

void FakeHotKeyPlatform::detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.detach(target, hwnd, message);
    record("detachMessage", {hwnd, message});
}

void FakeHotKeyPlatform::takeCombination(std::int32_t modifiers, std::int32_t virtualKey,
                                         std::uint32_t error)
{
    m_taken[{modifiers, virtualKey}] = error;
}

bool FakeHotKeyPlatform::postHotKey(std::intptr_t hwnd, std::int32_t wParam, std::int32_t lParam)
{
    return postMessage(hwnd, 786, wParam, lParam);
}

bool FakeHotKeyPlatform::postMessage(std::intptr_t hwnd, std::uint32_t message, std::int32_t wParam,
                                     std::int32_t lParam)
{
    return m_router.deliver(hwnd, message, wParam, lParam);
}

std::vector<std::string> FakeHotKeyPlatform::functionsCalled() const
{
    std::vector<std::string> names;
    names.reserve(m_calls.size());
    for (const Call &call : m_calls)
        names.push_back(call.function);
    return names;
}

bool FakeHotKeyPlatform::isRegistered(std::intptr_t hwnd, std::int32_t id) const
{
    return std::any_of(m_registrations.begin(), m_registrations.end(),
                       [&](const Registration &r) { return r.hwnd == hwnd && r.id == id; });
}

bool FakeHotKeyPlatform::isAttached(std::intptr_t hwnd, std::uint32_t message) const
{
    return m_router.isAttached(hwnd, message);
}

void FakeHotKeyPlatform::record(std::string function, std::vector<std::int64_t> args,
                                std::int64_t result, std::string text)
{
    m_calls.push_back({std::move(function), std::move(args), std::move(text), result});
}

} // namespace jw
