// The Linux registry: the system information program found in real folders.
#include "dialogs/registry/getkeyvalue.h"
#include "dialogs/registry/linux/linuxregistry.h"
#include "dialogs/registry/sysinfopath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace jw::registry;
namespace fs = std::filesystem;

namespace {

// A program file below the test's own (current) folder; returns its path.
std::string program(const std::string &folder, const std::string &name, bool executable = true)
{
    const fs::path file = fs::current_path() / folder / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
    return file.string();
}

std::string folder(const std::string &name) { return (fs::current_path() / name).string(); }

std::optional<std::string> pathValue(LinuxRegistry &registry, std::uint32_t root = kHkeyLocalMachine,
                                     const std::string &key = kMsInfoKey, const std::string &name = "PATH")
{
    std::string value = "caller's";
    if (!GetKeyValue(registry, root, key, name, value))
        return std::nullopt;
    return value;
}

TEST(LinuxRegistry, TheFirstProgramOfTheListFoundInAnAbsoluteFolderOfThePath)
{
    program("a", "hardinfo", false);                 // not executable
    fs::create_directories(folder("b/hardinfo"));    // a folder
    program("c", "hardinfo");                        // only reached through the relative entry "c"
    const std::string monitor = program("d", "gnome-system-monitor");
    const std::string info = program("e", "kinfocenter");
    LinuxRegistry registry({"hardinfo", "kinfocenter", "gnome-system-monitor"},
                           folder("a") + "::" + folder("b") + ":c:" + folder("d") + ":" + folder("e") + "/");
    EXPECT_EQ(pathValue(registry), info);
    fs::remove(info);
    EXPECT_EQ(pathValue(registry), monitor) << "looked up afresh each time";

    // Only the PATH value of the system information key, whatever the case of its letters.
    EXPECT_EQ(pathValue(registry, kHkeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", "path"), monitor);
    EXPECT_EQ(pathValue(registry, kHkeyLocalMachine, kMsInfoKey, "Version"), std::nullopt);
    EXPECT_EQ(pathValue(registry, kHkeyCurrentUser), std::nullopt);
    EXPECT_EQ(pathValue(registry, kHkeyLocalMachine, kSharedToolsKey, kSharedToolsValue), std::nullopt);

    fs::remove(monitor);
    EXPECT_EQ(pathValue(registry), std::nullopt) << "none of the programs is there";
    EXPECT_EQ(findSysInfoPath(registry, [](const std::string &) { return true; }), std::nullopt);
}

TEST(LinuxRegistry, APathThatDoesNotFitTheBufferIsNotRead)
{
    // 1023 bytes of path and its NUL fit; one byte more does not.
    const std::size_t room = 1023 - folder("").size() - std::string("/hardinfo").size();
    std::string fits;
    while (fits.size() + 100 < room)
        fits += std::string(99, 'f') + "/";
    fits += std::string(room - fits.size(), 'g');
    const std::string atLimit = program(fits, "hardinfo");
    ASSERT_EQ(atLimit.size(), 1023u);
    program(fits + "h", "hardinfo");
    LinuxRegistry exact({"hardinfo"}, folder(fits));
    EXPECT_EQ(pathValue(exact), atLimit);
    LinuxRegistry tooLong({"hardinfo"}, folder(fits + "h"));
    EXPECT_EQ(pathValue(tooLong), std::nullopt);
}

TEST(LinuxRegistry, TheUsualProgramsAreLookedForInThisProcesssPath)
{
    const std::string info = program("bin", "kinfocenter");
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", folder("bin").c_str(), 1);
    LinuxRegistry registry;
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(pathValue(registry), info);
}

} // namespace
