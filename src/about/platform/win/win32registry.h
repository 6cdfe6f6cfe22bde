#pragma once

#include "about/platform/iregistry.h"

namespace jw::registry {

/// The Windows registry through RegOpenKeyExA, RegQueryValueExA and RegCloseKey.
class Win32Registry final : public IRegistry {
public:
    long OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key) override;
    long QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &size) override;
    long CloseKey(Handle key) override;
};

} // namespace jw::registry
