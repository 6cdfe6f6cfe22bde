#include "hotkeys/emulatedplatform.h"

#include "hotkeys/hotkeytext.h"
#include "hotkeys/platformerrors.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace jw {

std::uint16_t EmulatedPlatform::addAtom(const std::string &name)
{
    return m_atoms.add(name, m_lastError);
}

void EmulatedPlatform::deleteAtom(std::uint16_t atom)
{
    m_atoms.remove(atom, m_lastError);
}

std::uint32_t EmulatedPlatform::tickCount()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

std::uint32_t EmulatedPlatform::lastError()
{
    return m_lastError;
}

std::string EmulatedPlatform::formatMessage(std::uint32_t code)
{
    std::string text = messageText(code);
    if (text.empty()) {
        switch (code) {
        case platformerror::InvalidHandle:
            text = "The atom does not exist.";
            break;
        case platformerror::NotEnoughMemory:
            text = "The global atom table is full.";
            break;
        case platformerror::InvalidParameter:
            text = "The parameter is incorrect.";
            break;
        case platformerror::InvalidName:
            text = "The atom name is empty.";
            break;
        case platformerror::HotKeyAlreadyRegistered:
            text = "Hot key is already registered.";
            break;
        case platformerror::HotKeyNotRegistered:
            text = "Hot key is not registered.";
            break;
        default:
            break;
        }
    }
    return hotkeytext::utf16Prefix(text, 255);
}

std::string EmulatedPlatform::executableName()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        return "jotwell";
    return hotkeytext::fileStem(exe.string());
}

bool EmulatedPlatform::isWindowVisible(std::intptr_t)
{
    return false;
}

void EmulatedPlatform::showWindow(std::intptr_t, std::int32_t)
{
}

bool EmulatedPlatform::isIconic(std::intptr_t)
{
    return false;
}

std::intptr_t EmulatedPlatform::sendMessage(std::intptr_t, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}

bool EmulatedPlatform::setForegroundWindow(std::intptr_t)
{
    return false;
}

void EmulatedPlatform::attachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.attach(target, hwnd, message);
}

void EmulatedPlatform::detachMessage(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    m_router.detach(target, hwnd, message);
}

std::string EmulatedPlatform::messageText(std::uint32_t) const
{
    return {};
}

bool EmulatedPlatform::deliverHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                     std::int32_t virtualKey)
{
    constexpr std::uint32_t WM_HOTKEY = 786;
    if (hwnd == 0)
        return false;
    const auto lParam = static_cast<std::int32_t>((static_cast<std::uint32_t>(modifiers) & 0xFFFFu)
                                                  | (static_cast<std::uint32_t>(virtualKey) << 16));
    return m_router.deliver(hwnd, WM_HOTKEY, id, lParam);
}

} // namespace jw
