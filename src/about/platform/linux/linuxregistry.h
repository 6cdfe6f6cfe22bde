#pragma once

#include "about/platform/iregistry.h"

#include <optional>
#include <string>
#include <vector>

namespace jw::registry {

/// The one registry value a Linux desktop can answer: the "PATH" of the
/// system information key, naming the first system information program
/// installed here. There is no shared tools folder value.
class LinuxRegistry final : public IRegistry {
public:
    /// `programs`: names to look for, best first; `searchPath`: the folders
    /// to look in, separated by ':' as in PATH.
    LinuxRegistry(std::vector<std::string> programs, std::string searchPath);
    /// The usual programs in the folders of this process's PATH.
    LinuxRegistry();

    /// The system information programs worth starting, best first.
    static std::vector<std::string> defaultPrograms();

    /// Full path of the first of the programs found, looked up now.
    std::optional<std::string> findProgram() const;

    long OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key) override;
    long QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &size) override;
    long CloseKey(Handle key) override;

private:
    std::vector<std::string> m_programs;
    std::string m_searchPath;
};

} // namespace jw::registry
