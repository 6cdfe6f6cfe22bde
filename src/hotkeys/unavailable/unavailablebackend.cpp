#include "hotkeys/unavailable/unavailablebackend.h"

#include "hotkeys/win32codes.h"

#include <utility>

namespace jw {

UnavailableBackend::UnavailableBackend(std::string reason) : m_reason(std::move(reason)) {}

bool UnavailableBackend::registerHotKey(std::intptr_t, std::int32_t, std::int32_t, std::int32_t)
{
    setLastError(win32::ERROR_NOT_SUPPORTED);
    return false;
}

std::string UnavailableBackend::messageText(std::uint32_t code) const
{
    if (code != win32::ERROR_NOT_SUPPORTED)
        return HotKeyBackend::messageText(code);
    return "Global hot keys are not available in this desktop session (" + m_reason + ")";
}

} // namespace jw
