// GetKeyValue and the search for the system information program over a
// registry in memory. Plain C++: also built for Windows and run under wine.
#include "dialogs/registry/fake/fakeregistry.h"
#include "dialogs/registry/getkeyvalue.h"
#include "dialogs/registry/sysinfopath.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace jw::registry;

namespace {

const std::string kKey = "SOFTWARE\\Jotwell Tests\\Values";

class GetKeyValueTest : public ::testing::Test {
protected:
    // Every path through GetKeyValue must give the key back.
    void TearDown() override { EXPECT_EQ(m_reg.openKeys(), 0u); }

    bool read(const std::string &valueName, std::string &value)
    {
        return GetKeyValue(m_reg, kHkeyLocalMachine, kKey, valueName, value);
    }

    FakeRegistry m_reg;
};

TEST_F(GetKeyValueTest, TextValuesUpToTheBufferSizeAreRead)
{
    m_reg.setText(kHkeyLocalMachine, kKey, "Short", "C:\\Tools\\info.exe");
    m_reg.setText(kHkeyLocalMachine, kKey, "Full", std::string(1023, 'x')); // 1024 bytes with the NUL
    m_reg.setText(kHkeyLocalMachine, kKey, "Empty", "");
    std::string value = "old";
    ASSERT_TRUE(read("Short", value));
    EXPECT_EQ(value, "C:\\Tools\\info.exe");
    ASSERT_TRUE(read("full", value)) << "value names ignore letter case";
    EXPECT_EQ(value, std::string(1023, 'x'));
    ASSERT_TRUE(read("Empty", value));
    EXPECT_EQ(value, "");
}

TEST_F(GetKeyValueTest, OnlyATrailingNulIsDropped)
{
    m_reg.setValue(kHkeyLocalMachine, kKey, "NoNul", kRegSz, {'a', 'b', 'c'});
    m_reg.setValue(kHkeyLocalMachine, kKey, "Exactly1024", kRegSz, std::vector<unsigned char>(1024, 'y'));
    m_reg.setValue(kHkeyLocalMachine, kKey, "NoBytes", kRegSz, {});
    std::string value;
    ASSERT_TRUE(read("NoNul", value));
    EXPECT_EQ(value, "abc");
    ASSERT_TRUE(read("Exactly1024", value));
    EXPECT_EQ(value, std::string(1024, 'y'));
    value = "old";
    ASSERT_TRUE(read("NoBytes", value));
    EXPECT_EQ(value, "");
}

TEST_F(GetKeyValueTest, AValueLongerThanTheBufferIsNotFound)
{
    m_reg.setText(kHkeyLocalMachine, kKey, "TooLong", std::string(1024, 'x')); // 1025 bytes
    std::string value = "left from before";
    EXPECT_FALSE(read("TooLong", value));
    EXPECT_EQ(value, "");
}

TEST_F(GetKeyValueTest, MissingKeysAndValuesGiveFalseAndEmptyText)
{
    m_reg.setText(kHkeyLocalMachine, kKey, "There", "x");
    std::string value = "left from before";
    EXPECT_FALSE(read("Absent", value));
    EXPECT_EQ(value, "");
    value = "left from before";
    EXPECT_FALSE(GetKeyValue(m_reg, kHkeyLocalMachine, "SOFTWARE\\Nowhere", "There", value));
    EXPECT_EQ(value, "");
    value = "left from before";
    EXPECT_FALSE(GetKeyValue(m_reg, kHkeyCurrentUser, kKey, "There", value)) << "another root is another key";
    EXPECT_EQ(value, "");
}

TEST_F(GetKeyValueTest, DwordValuesBecomeHexTextFromTheLastByte)
{
    m_reg.setValue(kHkeyLocalMachine, kKey, "Number", kRegDword, {0x40, 0xE2, 0x01, 0x00}); // 123456
    m_reg.setValue(kHkeyLocalMachine, kKey, "Zero", kRegDword, {0, 0, 0, 0});
    m_reg.setValue(kHkeyLocalMachine, kKey, "High", kRegDword, {0x0F, 0x00, 0xA0, 0xFF});
    std::string value;
    ASSERT_TRUE(read("Number", value));
    EXPECT_EQ(value, "&h0001E240");
    ASSERT_TRUE(read("Zero", value));
    EXPECT_EQ(value, "&h00000000");
    ASSERT_TRUE(read("High", value));
    EXPECT_EQ(value, "&hFFA0000F");
}

TEST_F(GetKeyValueTest, OtherTypesLeaveTheCallersTextButCountAsRead)
{
    m_reg.setValue(kHkeyLocalMachine, kKey, "Binary", kRegBinary, {1, 2, 3});
    m_reg.setValue(kHkeyLocalMachine, kKey, "Expand", kRegExpandSz, {'%', 'x', '%', 0});
    std::string value = "caller's";
    EXPECT_TRUE(read("Binary", value));
    EXPECT_EQ(value, "caller's");
    EXPECT_TRUE(read("Expand", value));
    EXPECT_EQ(value, "caller's");
}

TEST_F(GetKeyValueTest, KeysAreOpenedWithWriteRightsSoAReadOnlyKeyFails)
{
    m_reg.setText(kHkeyLocalMachine, kKey, "There", "x");
    m_reg.setReadOnly(kHkeyLocalMachine, kKey);
    std::string value = "left from before";
    EXPECT_FALSE(read("There", value));
    EXPECT_EQ(value, "");
    ASSERT_EQ(m_reg.accessAsked().size(), 1u);
    EXPECT_EQ(m_reg.accessAsked()[0], 0x2003Fu);
}

// The search for the system information program.
class SysInfoPathTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(m_reg.openKeys(), 0u); }

    std::optional<std::string> find()
    {
        return findSysInfoPath(m_reg, [this](const std::string &path) {
            m_checked.push_back(path);
            return m_files.count(path) > 0;
        });
    }

    FakeRegistry m_reg;
    std::set<std::string> m_files;
    std::vector<std::string> m_checked;
};

TEST_F(SysInfoPathTest, ThePathValueWinsWithoutTryingTheFolder)
{
    m_reg.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "C:\\Info\\msinfo32.exe");
    m_reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
    m_files = {"C:\\Shared\\MSINFO32.EXE"};
    EXPECT_EQ(find(), std::optional<std::string>("C:\\Info\\msinfo32.exe"));
    EXPECT_EQ(m_reg.keysTried(), std::vector<std::string>{kMsInfoKey});
}

TEST_F(SysInfoPathTest, APathNamingAMissingFileIsStillTheAnswer)
{
    // Starting it fails later; the folder is not tried instead.
    m_reg.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "C:\\Gone\\msinfo32.exe");
    m_reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
    m_files = {"C:\\Shared\\MSINFO32.EXE"};
    EXPECT_EQ(find(), std::optional<std::string>("C:\\Gone\\msinfo32.exe"));
    EXPECT_TRUE(m_checked.empty());
}

TEST_F(SysInfoPathTest, APathValueThatIsNotTextGivesAnEmptyPath)
{
    m_reg.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", kRegBinary, {'C', ':', 0});
    m_reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
    m_files = {"C:\\Shared\\MSINFO32.EXE"};
    EXPECT_EQ(find(), std::optional<std::string>(""));
}

TEST_F(SysInfoPathTest, TheFolderValueLeadsToTheProgramWhenItExists)
{
    m_reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
    m_files = {"C:\\Shared\\MSINFO32.EXE"};
    EXPECT_EQ(find(), std::optional<std::string>("C:\\Shared\\MSINFO32.EXE"));

    m_files.clear();
    EXPECT_EQ(find(), std::nullopt);
    EXPECT_EQ(m_checked.back(), "C:\\Shared\\MSINFO32.EXE");
}

TEST_F(SysInfoPathTest, NothingWhenNeitherValueCanBeRead)
{
    EXPECT_EQ(find(), std::nullopt);
    EXPECT_EQ(m_reg.keysTried(), (std::vector<std::string>{kMsInfoKey, kSharedToolsKey}));
}

TEST_F(SysInfoPathTest, AReadOnlyKeyCountsAsMissing)
{
    m_reg.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "C:\\Info\\msinfo32.exe");
    m_reg.setReadOnly(kHkeyLocalMachine, kMsInfoKey);
    m_reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
    m_reg.setReadOnly(kHkeyLocalMachine, kSharedToolsKey);
    m_files = {"C:\\Shared\\MSINFO32.EXE", "C:\\Info\\msinfo32.exe"};
    EXPECT_EQ(find(), std::nullopt);
}

} // namespace
