#include "hotkeys/unavailable/unavailablehotkeyplatform.h"

#include "hotkeys/platformerrors.h"

#include <utility>

namespace jw {

UnavailableHotKeyPlatform::UnavailableHotKeyPlatform(std::string reason)
    : m_reason(std::move(reason))
{
}

bool UnavailableHotKeyPlatform::registerHotKey(std::intptr_t, std::int32_t, std::int32_t, std::int32_t)
{
    setLastError(platformerror::NotSupported);
    return false;
}

void UnavailableHotKeyPlatform::unregisterHotKey(std::intptr_t, std::int32_t)
{
    setLastError(platformerror::HotKeyNotRegistered);
}

std::string UnavailableHotKeyPlatform::messageText(std::uint32_t code) const
{
    if (code != platformerror::NotSupported)
        return {};
    std::string text = "Global hot keys are not available in this desktop session";
    if (!m_reason.empty())
        text += " (" + m_reason + ")";
    return text;
}

} // namespace jw
