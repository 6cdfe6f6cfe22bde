#pragma once

// The system registry as the About box reads it. Plain C++ only: the Win32
// backend is built and tested without Qt.

#include <cstdint>
#include <memory>
#include <string>

namespace jw::registry {

/// Predefined root keys, as their 32-bit values.
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;

/// The rights the About box asks for when it opens a key: reading, setting
/// values, creating and enumerating subkeys, notify, create link, read control.
inline constexpr std::uint32_t kKeyAccess = 0x2003Fu;

/// Value types (the system's REG_* numbers).
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

/// System error codes the backends return.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

/// One platform's registry: the three calls the About box makes, with the
/// system's own meaning and error codes.
class IRegistry {
public:
    using Handle = std::uintptr_t;

    virtual ~IRegistry() = default;

    /// Opens `keyName` under the root key `root` with the rights `access`
    /// (RegOpenKeyExA). Returns 0 and sets `key`, or a system error code.
    virtual long OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key) = 0;

    /// Reads the value `valueName` of an open key into `data`, which holds
    /// `size` bytes (RegQueryValueExA). On return `type` is the value's type
    /// and `size` its length in bytes. A value longer than the buffer gives
    /// kErrorMoreData.
    virtual long QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                            std::uint32_t &size) = 0;

    /// Closes a key opened by OpenKey (RegCloseKey).
    virtual long CloseKey(Handle key) = 0;
};

/// The registry of the platform the program was built for.
std::unique_ptr<IRegistry> systemRegistry();

} // namespace jw::registry
