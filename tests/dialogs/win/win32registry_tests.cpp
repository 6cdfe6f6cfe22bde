// The Win32 registry backend against the real registry (wine's, in the tests'
// own prefix). Each test writes below a key of its own and removes it again.
#include "dialogs/registry/getkeyvalue.h"
#include "dialogs/registry/sysinfopath.h"
#include "dialogs/registry/win/win32registry.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace jw::registry;

namespace {

bool fileExists(const std::string &path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A temporary folder as the current folder, and a key of the test's own.
class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        m_folder = std::string(temp) + "jotwell-registry-" + unique;
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
        GetCurrentDirectoryA(MAX_PATH, temp);
        m_oldFolder = temp;
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));

        m_keyName = "SOFTWARE\\Jotwell Tests\\" + unique;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        m_key = key;
    }

    void TearDown() override
    {
        if (m_key)
            RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Jotwell Tests");
        SetCurrentDirectoryA(m_oldFolder.c_str());
        DeleteFileA((m_folder + "\\MSINFO32.EXE").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    void setValue(const char *name, DWORD type, const void *bytes, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE *>(bytes), size), ERROR_SUCCESS);
    }

    bool read(const char *name, std::string &value)
    {
        return GetKeyValue(m_registry, kHkeyLocalMachine, m_keyName, name, value);
    }

    Win32Registry m_registry;
    HKEY m_key = nullptr;
    std::string m_keyName;
    std::string m_folder;
    std::string m_oldFolder;
};

TEST_F(Win32RegistryTest, ReadsTextValuesOfUpTo1024Bytes)
{
    const std::string full(1023, 'a');
    const std::string tooLong(1024, 'b');
    setValue("Full", REG_SZ, full.c_str(), 1024);
    setValue("TooLong", REG_SZ, tooLong.c_str(), 1025);
    setValue("Path", REG_SZ, "C:\\Program Files\\Info\\info.exe", 31);

    std::string value = "left from before";
    ASSERT_TRUE(read("Full", value));
    EXPECT_EQ(value, full);
    ASSERT_TRUE(read("path", value));
    EXPECT_EQ(value, "C:\\Program Files\\Info\\info.exe");
    value = "left from before";
    EXPECT_FALSE(read("TooLong", value));
    EXPECT_EQ(value, "");
}

TEST_F(Win32RegistryTest, DwordAndOtherTypes)
{
    const DWORD number = 123456;
    const unsigned char binary[] = {1, 2, 3};
    setValue("Number", REG_DWORD, &number, sizeof number);
    setValue("Binary", REG_BINARY, binary, sizeof binary);
    setValue("Expand", REG_EXPAND_SZ, "%SystemRoot%", 13);

    std::string value;
    ASSERT_TRUE(read("Number", value));
    EXPECT_EQ(value, "&h0001E240");
    value = "caller's";
    EXPECT_TRUE(read("Binary", value));
    EXPECT_EQ(value, "caller's");
    EXPECT_TRUE(read("Expand", value));
    EXPECT_EQ(value, "caller's");
}

TEST_F(Win32RegistryTest, MissingValuesAndKeys)
{
    std::string value = "left from before";
    EXPECT_FALSE(read("Absent", value));
    EXPECT_EQ(value, "");
    value = "left from before";
    EXPECT_FALSE(GetKeyValue(m_registry, kHkeyLocalMachine, m_keyName + "\\Absent", "x", value));
    EXPECT_EQ(value, "");
}

TEST_F(Win32RegistryTest, AKeyTheUserMayOnlyReadIsNotOpened)
{
    setValue("Path", REG_SZ, "C:\\info.exe", 12);
    // Everyone may read the key, nobody may change it.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor,
                                                                     nullptr));
    const LONG secured = RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    ASSERT_EQ(secured, ERROR_SUCCESS);

    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_keyName.c_str(), 0, KEY_READ, &readOnly), ERROR_SUCCESS)
        << "reading alone is allowed";
    RegCloseKey(readOnly);

    std::string value = "left from before";
    EXPECT_FALSE(read("Path", value));
    EXPECT_EQ(value, "");

    IRegistry::Handle handle = 0;
    EXPECT_EQ(m_registry.OpenKey(kHkeyLocalMachine, m_keyName, kKeyAccess, handle), ERROR_ACCESS_DENIED);

    // Let TearDown remove it.
    PSECURITY_DESCRIPTOR open = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KA;;;WD)", SDDL_REVISION_1, &open, nullptr));
    RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, open);
    LocalFree(open);
}

// The system information program as the About box looks for it, in the
// registry of the machine: the keys under HKLM are saved and put back.
class SysInfoKeysTest : public Win32RegistryTest {
protected:
    void SetUp() override
    {
        Win32RegistryTest::SetUp();
        m_savedPath = readText(kMsInfoKey, kMsInfoPathValue);
        m_savedFolder = readText(kSharedToolsKey, kSharedToolsValue);
    }

    void TearDown() override
    {
        restore(kMsInfoKey, kMsInfoPathValue, m_savedPath);
        restore(kSharedToolsKey, kSharedToolsValue, m_savedFolder);
        Win32RegistryTest::TearDown();
    }

    static std::optional<std::string> readText(const char *key, const char *name)
    {
        char buffer[2048];
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, &type, buffer, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(buffer);
    }

    static void writeText(const char *key, const char *name, const std::string &text)
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text.c_str(), DWORD(text.size() + 1)),
                  ERROR_SUCCESS);
    }

    static void remove(const char *key, const char *name) { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key, name); }

    static void restore(const char *key, const char *name, const std::optional<std::string> &saved)
    {
        if (saved)
            writeText(key, name, *saved);
        else
            remove(key, name);
    }

    std::optional<std::string> find() { return findSysInfoPath(m_registry, fileExists); }

    std::optional<std::string> m_savedPath;
    std::optional<std::string> m_savedFolder;
};

TEST_F(SysInfoKeysTest, ThePathValueNamesTheProgram)
{
    writeText(kMsInfoKey, kMsInfoPathValue, "C:\\Somewhere\\msinfo32.exe");
    EXPECT_EQ(find(), std::optional<std::string>("C:\\Somewhere\\msinfo32.exe"));
}

TEST_F(SysInfoKeysTest, TheFolderValueIsUsedWhenThereIsNoPath)
{
    remove(kMsInfoKey, kMsInfoPathValue);
    writeText(kSharedToolsKey, kSharedToolsValue, m_folder);
    EXPECT_EQ(find(), std::nullopt) << "no program in the folder yet";

    HANDLE program = CreateFileA((m_folder + "\\MSINFO32.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(program, INVALID_HANDLE_VALUE);
    CloseHandle(program);
    EXPECT_EQ(find(), std::optional<std::string>(m_folder + "\\MSINFO32.EXE"));
}

TEST_F(SysInfoKeysTest, NothingWithoutEitherValue)
{
    remove(kMsInfoKey, kMsInfoPathValue);
    remove(kSharedToolsKey, kSharedToolsValue);
    EXPECT_EQ(find(), std::nullopt);
}

} // namespace
