#pragma once

#include <cstdint>
#include <string>

// What the registry needs to know of the running program and system, one
// implementation per platform (program_posix.cpp, program_win.cpp).
namespace jw::program {

/// Milliseconds since the system started, wrapping at 32 bits.
std::uint32_t tickCount();

/// The running program's file name without folder and extension.
std::string name();

} // namespace jw::program
