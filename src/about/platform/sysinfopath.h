#pragma once

#include "about/platform/iregistry.h"

#include <functional>
#include <optional>
#include <string>

namespace jw::registry {

inline constexpr const char *kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char *kMsInfoPathValue = "PATH";
inline constexpr const char *kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char *kSharedToolsValue = "MSINFO";
inline constexpr const char *kMsInfoProgram = "\\MSINFO32.EXE";

/// Where the system information program is, as the registry tells:
/// the "PATH" value of the MSINFO key when it can be read (its text as it
/// is, even empty or naming a missing file: starting it then fails), else the
/// "MSINFO" folder of the shared tools key with "\MSINFO32.EXE" appended,
/// when `fileExists` finds that file. Nothing when neither leads anywhere.
std::optional<std::string> findSysInfoPath(IRegistry &registry,
                                           const std::function<bool(const std::string &path)> &fileExists);

} // namespace jw::registry
