// The Linux registry: the system information program found in real folders.
#include "about/platform/getkeyvalue.h"
#include "about/platform/linux/linuxregistry.h"
#include "about/platform/sysinfopath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace jw::registry;
namespace fs = std::filesystem;

namespace {

std::string folder(const std::string &name) { return (fs::current_path() / name).string(); }

// A program file below the test's own (current) folder; returns its path.
std::string program(const std::string &where, const std::string &name, bool executable = true)
{
    const fs::path file = fs::path(folder(where)) / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
    return file.string();
}

std::optional<std::string> value(LinuxRegistry &registry, std::uint32_t root = kHkeyLocalMachine,
                                 const std::string &key = kMsInfoKey, const std::string &name = "PATH")
{
    std::string read = "caller's";
    return GetKeyValue(registry, root, key, name, read) ? std::optional(read) : std::nullopt;
}

// The usual programs, looked for in this process's PATH.
TEST(LinuxRegistry, TheFirstProgramOfTheListFoundInAnAbsoluteFolderOfThePathUnlessItsPathDoesNotFitTheBuffer)
{
    program("a", "hardinfo", false);              // not executable
    fs::create_directories(folder("b/hardinfo")); // a folder
    program("c", "hardinfo");                     // only reached through the relative entry "c"
    const std::string monitor = program("d", "gnome-system-monitor");
    const std::string info = program("e", "kinfocenter");
    const std::string saved = std::getenv("PATH");
    ::setenv("PATH", (folder("a") + "::" + folder("b") + ":c:" + folder("d") + ":" + folder("e") + "/").c_str(), 1);
    LinuxRegistry registry;
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(value(registry), info);
    fs::remove(info);
    EXPECT_EQ(value(registry), monitor) << "looked up afresh each time";

    // Only the PATH value of the system information key, whatever the case of its letters.
    EXPECT_EQ(value(registry, kHkeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", "path"), monitor);
    EXPECT_EQ(value(registry, kHkeyLocalMachine, kMsInfoKey, "Version"), std::nullopt);
    EXPECT_EQ(value(registry, kHkeyCurrentUser), std::nullopt);
    EXPECT_EQ(value(registry, kHkeyLocalMachine, kSharedToolsKey, kSharedToolsValue), std::nullopt);

    fs::remove(monitor);
    EXPECT_EQ(findSysInfoPath(registry, [](const std::string &) { return true; }), std::nullopt);

    // 1023 bytes of path and its NUL fit; one byte more does not.
    const std::size_t room = 1023 - folder("").size() - std::string("/hardinfo").size();
    std::string fits;
    while (fits.size() + 100 < room)
        fits += std::string(99, 'f') + "/";
    fits += std::string(room - fits.size(), 'g');
    ASSERT_EQ(program(fits, "hardinfo").size(), 1023u);
    program(fits + "h", "hardinfo");
    LinuxRegistry exact({"hardinfo"}, folder(fits)), tooLong({"hardinfo"}, folder(fits + "h"));
    EXPECT_EQ(value(exact), folder(fits) + "/hardinfo");
    EXPECT_EQ(value(tooLong), std::nullopt);
}

} // namespace
