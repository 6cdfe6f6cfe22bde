#include "about/platform/linux/linuxregistry.h"

#include "about/platform/sysinfopath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace jw::registry {

namespace {

constexpr IRegistry::Handle kMsInfoHandle = 1;

// Registry names ignore letter case.
bool sameName(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool isExecutableFile(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string environmentPath()
{
    const char *path = std::getenv("PATH");
    return path && *path ? std::string(path) : std::string("/usr/local/bin:/usr/bin:/bin");
}

} // namespace

LinuxRegistry::LinuxRegistry(std::vector<std::string> programs, std::string searchPath)
    : m_programs(std::move(programs)), m_searchPath(std::move(searchPath))
{}

LinuxRegistry::LinuxRegistry() : LinuxRegistry(defaultPrograms(), environmentPath()) {}

std::vector<std::string> LinuxRegistry::defaultPrograms()
{
    // Programs that describe the computer come first (the system's own
    // system information window shows hardware and software, not processes):
    // HardInfo on any desktop, KDE's Info Center, CPU-X. Then the monitors
    // that still show a summary of the machine: MATE's has a System tab,
    // GNOME's and Plasma's show its resources.
    return {"hardinfo", "kinfocenter", "cpu-x", "mate-system-monitor", "gnome-system-monitor", "plasma-systemmonitor"};
}

std::optional<std::string> LinuxRegistry::findProgram() const
{
    for (const std::string &program : m_programs) {
        std::size_t start = 0;
        while (start <= m_searchPath.size()) {
            std::size_t end = m_searchPath.find(':', start);
            if (end == std::string::npos)
                end = m_searchPath.size();
            std::string folder = m_searchPath.substr(start, end - start);
            start = end + 1;
            // Relative folders would depend on the pages folder the pad runs in.
            if (folder.empty() || folder.front() != '/')
                continue;
            if (folder.back() != '/')
                folder += '/';
            const std::string candidate = folder + program;
            if (isExecutableFile(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

long LinuxRegistry::OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t, Handle &key)
{
    if (root != kHkeyLocalMachine || !sameName(keyName, kMsInfoKey))
        return kErrorFileNotFound;
    key = kMsInfoHandle;
    return kErrorSuccess;
}

long LinuxRegistry::QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                               std::uint32_t &size)
{
    if (key != kMsInfoHandle)
        return kErrorInvalidHandle;
    if (!sameName(valueName, kMsInfoPathValue))
        return kErrorFileNotFound;
    const std::optional<std::string> program = findProgram();
    if (!program)
        return kErrorFileNotFound;

    const std::uint32_t length = static_cast<std::uint32_t>(program->size() + 1);
    type = kRegSz;
    if (length > size) {
        size = length;
        return kErrorMoreData;
    }
    std::memcpy(data, program->c_str(), length);
    size = length;
    return kErrorSuccess;
}

long LinuxRegistry::CloseKey(Handle key) { return key == kMsInfoHandle ? kErrorSuccess : kErrorInvalidHandle; }

std::unique_ptr<IRegistry> systemRegistry() { return std::make_unique<LinuxRegistry>(); }

} // namespace jw::registry
