#pragma once

#include <cstdint>

// Error codes the backends leave for IHotKeyPlatform::lastError(). Where Win32
// has a code for the same failure its number is used, so the registry's texts
// read the same everywhere; bit 29 marks codes of our own.
namespace jw::platformerror {

inline constexpr std::uint32_t InvalidHandle = 6;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t NotSupported = 50;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t InvalidName = 123;
inline constexpr std::uint32_t HotKeyAlreadyRegistered = 1409;
inline constexpr std::uint32_t HotKeyNotRegistered = 1419;
inline constexpr std::uint32_t KeyNotOnKeyboard = 0x20000001;
inline constexpr std::uint32_t DisplayClosed = 0x20000002;
inline constexpr std::uint32_t GrabRefused = 0x20000003;

} // namespace jw::platformerror
