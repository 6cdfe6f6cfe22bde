#pragma once

#include "about/platform/iregistry.h"

#include <cstdint>
#include <string>

namespace jw::registry {

/// Size of the buffer a value is read into; longer values count as not found.
inline constexpr std::uint32_t kValueBufferSize = 1024;

/// Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot`, opening
/// the key with the rights kKeyAccess. Text values (REG_SZ) come back without
/// their terminating NUL, DWORD values as "&h" and eight hexadecimal digits;
/// a value of any other type leaves `KeyVal` as the caller passed it.
/// Returns false, with `KeyVal` empty, when the key cannot be opened with
/// those rights or the value cannot be read.
bool GetKeyValue(IRegistry &registry, std::uint32_t KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                 std::string &KeyVal);

} // namespace jw::registry
