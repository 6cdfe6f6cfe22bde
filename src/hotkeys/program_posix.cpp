#include "hotkeys/program.h"

#include "hotkeys/hotkeytext.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace jw::program {

// The monotonic clock counts from boot on Linux.
std::uint32_t tickCount()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

std::string name()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error || exe.empty() ? std::string("jotwell") : hotkeytext::fileStem(exe.string());
}

} // namespace jw::program
