#include "about/platform/sysinfopath.h"

#include "about/platform/getkeyvalue.h"

namespace jw::registry {

std::optional<std::string> findSysInfoPath(IRegistry &registry,
                                           const std::function<bool(const std::string &path)> &fileExists)
{
    std::string path;
    if (GetKeyValue(registry, kHkeyLocalMachine, kMsInfoKey, kMsInfoPathValue, path))
        return path;

    std::string folder;
    if (!GetKeyValue(registry, kHkeyLocalMachine, kSharedToolsKey, kSharedToolsValue, folder))
        return std::nullopt;
    path = folder + kMsInfoProgram;
    if (!fileExists(path))
        return std::nullopt;
    return path;
}

} // namespace jw::registry
