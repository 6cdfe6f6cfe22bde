#include "about/platform/win/win32registry.h"

#include <windows.h>

namespace jw::registry {

namespace {

// Predefined keys are 32-bit values widened with their sign, as the system's
// own HKEY_LOCAL_MACHINE is on 64-bit Windows.
HKEY rootHandle(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<std::int32_t>(root))));
}

} // namespace

long Win32Registry::OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key)
{
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootHandle(root), keyName.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<Handle>(opened);
    return result;
}

long Win32Registry::QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                               std::uint32_t &size)
{
    DWORD valueType = 0;
    DWORD length = size;
    const LONG result =
        RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType, data, &length);
    type = valueType;
    size = length;
    return result;
}

long Win32Registry::CloseKey(Handle key) { return RegCloseKey(reinterpret_cast<HKEY>(key)); }

std::unique_ptr<IRegistry> systemRegistry() { return std::make_unique<Win32Registry>(); }

} // namespace jw::registry
