// GetKeyValue and the search for the system information program over a
// registry in memory. Plain C++: also built for Windows and run under wine.
#include "about/platform/fake/fakeregistry.h"
#include "about/platform/getkeyvalue.h"
#include "about/platform/sysinfopath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace jw::registry;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes text(const std::string &s, bool nul = true)
{
    Bytes bytes(s.begin(), s.end());
    if (nul)
        bytes.push_back(0);
    return bytes;
}

TEST(GetKeyValue, ReadsOneValueAndAlwaysClosesTheKey)
{
    const std::string key = "SOFTWARE\\Jotwell Tests";
    struct Case {
        const char *what;
        std::uint32_t type;
        Bytes bytes;
        bool readOnly;
        bool read;
        std::string value;
    };
    const Case cases[] = {
        {"text", kRegSz, text("C:\\Tools\\info.exe"), false, true, "C:\\Tools\\info.exe"},
        {"1024 bytes with the NUL", kRegSz, text(std::string(1023, 'x')), false, true, std::string(1023, 'x')},
        {"1024 bytes without NUL", kRegSz, text(std::string(1024, 'y'), false), false, true, std::string(1024, 'y')},
        {"no bytes", kRegSz, {}, false, true, ""},
        {"1025 bytes", kRegSz, text(std::string(1024, 'x')), false, false, ""},
        {"dword", kRegDword, {0x40, 0xE2, 0x01, 0x00}, false, true, "&h0001E240"},
        {"dword, high bytes", kRegDword, {0x0F, 0x00, 0xA0, 0xFF}, false, true, "&hFFA0000F"},
        {"binary", kRegBinary, {1, 2, 3}, false, true, "caller's"},
        {"key the user may only read", kRegSz, text("x"), true, false, ""},
    };
    for (const Case &c : cases) {
        FakeRegistry reg;
        reg.setValue(kHkeyLocalMachine, key, "V", c.type, c.bytes);
        if (c.readOnly)
            reg.setReadOnly(kHkeyLocalMachine, key);
        std::string value = "caller's";
        EXPECT_EQ(GetKeyValue(reg, kHkeyLocalMachine, key, "V", value), c.read) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
        EXPECT_EQ(reg.openKeys(), 0u) << c.what;
    }

    FakeRegistry reg;
    reg.setText(kHkeyLocalMachine, key, "V", "x");
    for (const auto &[root, name, value] :
         {std::tuple{kHkeyLocalMachine, key, "Other"}, std::tuple{kHkeyLocalMachine, key + "\\Nowhere", "V"},
          std::tuple{kHkeyCurrentUser, key, "V"}}) {
        std::string read = "caller's";
        EXPECT_FALSE(GetKeyValue(reg, root, name, value, read)) << name << " " << value;
        EXPECT_EQ(read, "");
    }
    EXPECT_EQ(reg.openKeys(), 0u);
}

TEST(SysInfoPath, ThePathValueFirstThenTheSharedToolsFolder)
{
    const std::string inFolder = "C:\\Shared\\MSINFO32.EXE";
    const std::vector<std::string> first{kMsInfoKey}, both{kMsInfoKey, kSharedToolsKey};
    // The PATH value (REG_SZ unless `pathType` says otherwise), whether "MSINFO" names "C:\Shared".
    struct Case {
        const char *what;
        std::optional<Bytes> path;
        std::uint32_t pathType;
        bool folder;
        bool programInFolder;
        bool readOnly;
        std::optional<std::string> found;
        std::vector<std::string> keysTried;
    };
    const Case cases[] = {
        {"path value wins", text("C:\\Info\\msinfo32.exe"), kRegSz, true, true, false, "C:\\Info\\msinfo32.exe", first},
        {"path to a missing file", text("C:\\Gone\\m.exe"), kRegSz, true, true, false, "C:\\Gone\\m.exe", first},
        {"path not text", Bytes{'C', ':', 0}, kRegBinary, true, true, false, "", first},
        {"folder holding the program", std::nullopt, kRegSz, true, true, false, inFolder, both},
        {"folder without the program", std::nullopt, kRegSz, true, false, false, std::nullopt, both},
        {"neither value", std::nullopt, kRegSz, false, false, false, std::nullopt, both},
        {"keys the user may only read", text("C:\\Info\\m.exe"), kRegSz, true, true, true, std::nullopt, both},
    };
    for (const Case &c : cases) {
        FakeRegistry reg;
        if (c.path)
            reg.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", c.pathType, *c.path);
        if (c.folder)
            reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
        if (c.readOnly)
            for (const char *readOnly : {kMsInfoKey, kSharedToolsKey})
                reg.setReadOnly(kHkeyLocalMachine, readOnly);
        const auto exists = [&](const std::string &path) { return c.programInFolder && path == inFolder; };
        EXPECT_EQ(findSysInfoPath(reg, exists), c.found) << c.what;
        EXPECT_EQ(reg.keysTried(), c.keysTried) << c.what;
        EXPECT_EQ(reg.openKeys(), 0u) << c.what;
    }
}

} // namespace
