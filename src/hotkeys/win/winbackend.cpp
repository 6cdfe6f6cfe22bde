#include "hotkeys/win/winbackend.h"

#include "hotkeys/win/winfunctions.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

namespace jw {

namespace {

HWND createMessageWindow()
{
    static const wchar_t *const className = L"JotwellHotKeys";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass); // fails harmlessly when a backend before this one registered it
    return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
}

HotKeyAnswer answerFor(const HotKeyError &error)
{
    constexpr std::uint32_t AlreadyRegistered = ERROR_HOTKEY_ALREADY_REGISTERED;
    if (error.number() == cRegHotKey::ErrRegisterRefused && error.systemError() == AlreadyRegistered)
        return {HotKeyRefusal::Taken, error.systemText()};
    if (error.number() == cRegHotKey::ErrRegisterRefused && error.systemError() == ERROR_INVALID_PARAMETER)
        return {HotKeyRefusal::Invalid, error.systemText()};
    return {HotKeyRefusal::Failed, error.systemText().empty() ? error.description() : error.systemText()};
}

} // namespace

WinBackend::WinBackend(std::unique_ptr<Win32Functions> system)
    : m_window(reinterpret_cast<std::intptr_t>(createMessageWindow())),
      m_registry(std::make_unique<cRegHotKey>(system ? std::move(system) : std::make_unique<WinFunctions>()))
{
    m_registry->HotKeyPress = [this](const std::string &sName, std::int32_t, std::int32_t) {
        const auto named =
            std::find_if(m_names.begin(), m_names.end(), [&](const auto &n) { return n.second == sName; });
        if (named != m_names.end())
            reportPress(named->first, static_cast<std::uint32_t>(GetMessageTime()));
    };
    m_registry->Attach(m_window);
}

WinBackend::~WinBackend()
{
    m_registry.reset();
    DestroyWindow(reinterpret_cast<HWND>(m_window));
}

HotKeyAnswer WinBackend::grab(int id, const Request &request)
{
    // While a key changes its combination, the old one is still registered under its name.
    const bool nameInUse =
        std::any_of(m_names.begin(), m_names.end(), [&](const auto &n) { return n.second == request.name; });
    const std::string name = nameInUse ? request.name + "#" + std::to_string(id) : request.name;
    try {
        m_registry->RegisterKey(name, request.chord.key, request.chord.modifiers);
    } catch (const HotKeyError &error) {
        return answerFor(error);
    }
    m_names[id] = name;
    return {};
}

void WinBackend::release(int id)
{
    const auto named = m_names.find(id);
    if (named == m_names.end())
        return;
    m_registry->UnregisterKey(named->second);
    m_names.erase(named);
}

} // namespace jw
