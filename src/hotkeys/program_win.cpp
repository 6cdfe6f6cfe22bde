#include "hotkeys/program.h"

#include "hotkeys/hotkeytext.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace jw::program {

std::uint32_t tickCount() { return GetTickCount(); }

std::string name()
{
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    const int units = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_UTF8, 0, path.data(), units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), units, utf8.data(), size, nullptr, nullptr);
    return length == 0 ? std::string("jotwell") : hotkeytext::fileStem(utf8);
}

} // namespace jw::program
