// The Linux registry: the system information program found in real folders.
#include "dialogs/registry/getkeyvalue.h"
#include "dialogs/registry/linux/linuxregistry.h"
#include "dialogs/registry/sysinfopath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace jw::registry;
namespace fs = std::filesystem;

namespace {

class LinuxRegistryTest : public ::testing::Test {
protected:
    // A program file in a folder below the current (temporary) folder.
    static std::string program(const std::string &folder, const std::string &name, bool executable = true)
    {
        const fs::path dir = fs::current_path() / folder;
        fs::create_directories(dir);
        const fs::path file = dir / name;
        std::ofstream(file) << "#!/bin/sh\nexit 0\n";
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
        return file.string();
    }

    static std::string folder(const std::string &name) { return (fs::current_path() / name).string(); }

    static std::optional<std::string> pathValue(LinuxRegistry &registry)
    {
        std::string value;
        if (!GetKeyValue(registry, kHkeyLocalMachine, kMsInfoKey, kMsInfoPathValue, value))
            return std::nullopt;
        return value;
    }
};

TEST_F(LinuxRegistryTest, TheFirstProgramOfTheListWinsWhateverFolderItIsIn)
{
    const std::string monitor = program("usr/bin", "gnome-system-monitor");
    const std::string info = program("opt/bin", "hardinfo");
    LinuxRegistry registry({"hardinfo", "kinfocenter", "gnome-system-monitor"},
                           folder("usr/bin") + ":" + folder("opt/bin"));
    EXPECT_EQ(pathValue(registry), std::optional<std::string>(info));

    fs::remove(info);
    EXPECT_EQ(pathValue(registry), std::optional<std::string>(monitor)) << "looked up afresh each time";
}

TEST_F(LinuxRegistryTest, OnlyExecutableFilesInAbsoluteFoldersCount)
{
    program("a", "hardinfo", false);
    fs::create_directories(fs::current_path() / "b" / "hardinfo");
    program("c", "hardinfo"); // reached only through a relative PATH entry
    const std::string found = program("d", "kinfocenter");
    LinuxRegistry registry({"hardinfo", "kinfocenter"},
                           folder("a") + "::" + folder("b") + ":c:" + folder("d") + "/");
    EXPECT_EQ(pathValue(registry), std::optional<std::string>(found));
}

TEST_F(LinuxRegistryTest, NoProgramNoValue)
{
    program("bin", "something-else");
    LinuxRegistry registry({"hardinfo"}, folder("bin"));
    std::string value = "left from before";
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kMsInfoKey, kMsInfoPathValue, value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(findSysInfoPath(registry, [](const std::string &) { return true; }), std::nullopt)
        << "there is no shared tools folder to fall back on";
}

TEST_F(LinuxRegistryTest, AnswersOnlyThePathOfTheSystemInformationKey)
{
    const std::string info = program("bin", "hardinfo");
    LinuxRegistry registry({"hardinfo"}, folder("bin"));
    std::string value;
    EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", "path", value))
        << "registry names ignore letter case";
    EXPECT_EQ(value, info);
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kMsInfoKey, "Version", value));
    EXPECT_FALSE(GetKeyValue(registry, kHkeyCurrentUser, kMsInfoKey, kMsInfoPathValue, value));
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kSharedToolsKey, kSharedToolsValue, value));
    EXPECT_EQ(findSysInfoPath(registry, [](const std::string &) { return false; }), std::optional<std::string>(info));
}

TEST_F(LinuxRegistryTest, APathLongerThanTheBufferIsNotRead)
{
    // 1023 bytes of path and the NUL fit; one more does not.
    const std::string base = fs::current_path().string() + "/";
    const std::size_t room = 1023 - base.size() - std::string("/hardinfo").size();
    std::string fits;
    while (fits.size() + 100 < room)
        fits += std::string(99, 'f') + "/";
    fits += std::string(room - fits.size(), 'g');
    const std::string longer = fits + "h";
    fs::create_directories(base + fits);
    fs::create_directories(base + longer);
    const std::string atLimit = program(fits, "hardinfo");
    ASSERT_EQ(atLimit.size(), 1023u);
    program(longer, "hardinfo");

    LinuxRegistry exact({"hardinfo"}, base + fits);
    EXPECT_EQ(pathValue(exact), std::optional<std::string>(atLimit));
    LinuxRegistry tooLong({"hardinfo"}, base + longer);
    EXPECT_EQ(pathValue(tooLong), std::nullopt);
}

TEST_F(LinuxRegistryTest, TheUsualProgramsAreSearchedInThePath)
{
    const std::string info = program("bin", "kinfocenter");
    const char *old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    ::setenv("PATH", folder("bin").c_str(), 1);
    LinuxRegistry registry;
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(pathValue(registry), std::optional<std::string>(info));
    EXPECT_EQ(LinuxRegistry::defaultPrograms().front(), "hardinfo");
}

} // namespace
