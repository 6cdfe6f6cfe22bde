// The Win32 registry backend on the real registry (wine's, in the tests' own
// prefix), below a key of the test's own that is removed afterwards.
#include "about/platform/getkeyvalue.h"
#include "about/platform/win/win32registry.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace jw::registry;

namespace {

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                                  nullptr),
                  ERROR_SUCCESS);
    }

    void TearDown() override
    {
        secure("D:P(A;;KA;;;WD)"); // everyone may do everything again, so that the key goes
        RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Jotwell Tests");
    }

    bool secure(const char *sddl)
    {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
            return false;
        const LONG result = RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
        return result == ERROR_SUCCESS;
    }

    void set(const char *name, DWORD type, const void *bytes, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE *>(bytes), size), ERROR_SUCCESS);
    }

    std::pair<bool, std::string> read(const std::string &key, const char *name)
    {
        std::string value = "caller's";
        const bool found = GetKeyValue(m_registry, kHkeyLocalMachine, key, name, value);
        return {found, value};
    }

    const std::string m_name = "SOFTWARE\\Jotwell Tests\\" + std::to_string(GetCurrentProcessId());
    Win32Registry m_registry;
    HKEY m_key = nullptr;
};

TEST_F(Win32RegistryTest, ReadsTextOfUpTo1024BytesAndNumbers)
{
    const std::string full(1023, 'a'), tooLong(1024, 'b');
    const DWORD number = 123456;
    const unsigned char binary[] = {1, 2, 3};
    set("Full", REG_SZ, full.c_str(), 1024);
    set("TooLong", REG_SZ, tooLong.c_str(), 1025);
    set("Number", REG_DWORD, &number, sizeof number);
    set("Binary", REG_BINARY, binary, sizeof binary);
    using Read = std::pair<bool, std::string>;
    EXPECT_EQ(read(m_name, "full"), Read(true, full)) << "names ignore letter case";
    EXPECT_EQ(read(m_name, "TooLong"), Read(false, ""));
    EXPECT_EQ(read(m_name, "Number"), Read(true, "&h0001E240"));
    EXPECT_EQ(read(m_name, "Binary"), Read(true, "caller's"));
    EXPECT_EQ(read(m_name, "Absent"), Read(false, ""));
    EXPECT_EQ(read(m_name + "\\Absent", "Full"), Read(false, ""));
}

TEST_F(Win32RegistryTest, AKeyTheUserMayOnlyReadIsNotOpened)
{
    set("Path", REG_SZ, "C:\\info.exe", 12);
    ASSERT_TRUE(secure("D:P(A;;KR;;;WD)")); // everyone may read the key, nobody may change it
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_name.c_str(), 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    RegCloseKey(readOnly);

    EXPECT_EQ(read(m_name, "Path"), std::make_pair(false, std::string()));
    IRegistry::Handle handle = 0;
    EXPECT_EQ(m_registry.OpenKey(kHkeyLocalMachine, m_name, kKeyAccess, handle), ERROR_ACCESS_DENIED);
}

} // namespace
