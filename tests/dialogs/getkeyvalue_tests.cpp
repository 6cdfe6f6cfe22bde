// GetKeyValue and the search for the system information program over a
// registry in memory. Plain C++: also built for Windows and run under wine.
#include "dialogs/registry/fake/fakeregistry.h"
#include "dialogs/registry/getkeyvalue.h"
#include "dialogs/registry/sysinfopath.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
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

struct ValueCase {
    const char *what;
    std::uint32_t type;
    Bytes bytes;
    bool readOnly;
    bool read;
    std::string value; // the caller passes "caller's"
};

TEST(GetKeyValue, ReadsOneValueAndAlwaysClosesTheKey)
{
    const std::string kKey = "SOFTWARE\\Jotwell Tests";
    const std::vector<ValueCase> cases = {
        {"text", kRegSz, text("C:\\Tools\\info.exe"), false, true, "C:\\Tools\\info.exe"},
        {"1024 bytes with the NUL", kRegSz, text(std::string(1023, 'x')), false, true, std::string(1023, 'x')},
        {"1024 bytes without NUL", kRegSz, text(std::string(1024, 'y'), false), false, true, std::string(1024, 'y')},
        {"no bytes", kRegSz, {}, false, true, ""},
        {"1025 bytes", kRegSz, text(std::string(1024, 'x')), false, false, ""},
        {"dword", kRegDword, {0x40, 0xE2, 0x01, 0x00}, false, true, "&h0001E240"},
        {"dword, high bytes", kRegDword, {0x0F, 0x00, 0xA0, 0xFF}, false, true, "&hFFA0000F"},
        {"binary", kRegBinary, {1, 2, 3}, false, true, "caller's"},
        {"expandable text", kRegExpandSz, text("%x%"), false, true, "caller's"},
        {"key the user may only read", kRegSz, text("x"), true, false, ""},
    };
    for (const ValueCase &c : cases) {
        FakeRegistry reg;
        reg.setValue(kHkeyLocalMachine, kKey, "V", c.type, c.bytes);
        if (c.readOnly)
            reg.setReadOnly(kHkeyLocalMachine, kKey);
        std::string value = "caller's";
        EXPECT_EQ(GetKeyValue(reg, kHkeyLocalMachine, kKey, "V", value), c.read) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
        EXPECT_EQ(reg.openKeys(), 0u) << c.what;
        EXPECT_EQ(reg.accessAsked(), std::vector<std::uint32_t>{0x2003Fu}) << c.what;
    }

    FakeRegistry reg;
    reg.setText(kHkeyLocalMachine, kKey, "V", "x");
    for (const auto &[root, key, name] : {std::tuple{kHkeyLocalMachine, kKey, "Other"},
                                          std::tuple{kHkeyLocalMachine, std::string("SOFTWARE\\Nowhere"), "V"},
                                          std::tuple{kHkeyCurrentUser, kKey, "V"}}) {
        std::string value = "caller's";
        EXPECT_FALSE(GetKeyValue(reg, root, key, name, value)) << key << " " << name;
        EXPECT_EQ(value, "");
    }
    EXPECT_EQ(reg.openKeys(), 0u);
}

struct PathCase {
    const char *what;
    std::optional<Bytes> pathValue; // REG_SZ unless `pathType` says otherwise
    std::uint32_t pathType;
    bool folderValue;               // "MSINFO" = "C:\Shared"
    bool programInFolder;
    bool readOnly;
    std::optional<std::string> found;
    std::vector<std::string> keysTried;
};

TEST(SysInfoPath, ThePathValueFirstThenTheSharedToolsFolder)
{
    const std::string inFolder = "C:\\Shared\\MSINFO32.EXE";
    const std::vector<std::string> first{kMsInfoKey};
    const std::vector<std::string> both{kMsInfoKey, kSharedToolsKey};
    const std::vector<PathCase> cases = {
        {"path value wins", text("C:\\Info\\msinfo32.exe"), kRegSz, true, true, false, "C:\\Info\\msinfo32.exe", first},
        {"path to a missing file", text("C:\\Gone\\m.exe"), kRegSz, true, true, false, "C:\\Gone\\m.exe", first},
        {"path not text", Bytes{'C', ':', 0}, kRegBinary, true, true, false, "", first},
        {"folder holding the program", std::nullopt, kRegSz, true, true, false, inFolder, both},
        {"folder without the program", std::nullopt, kRegSz, true, false, false, std::nullopt, both},
        {"neither value", std::nullopt, kRegSz, false, false, false, std::nullopt, both},
        {"keys the user may only read", text("C:\\Info\\m.exe"), kRegSz, true, true, true, std::nullopt, both},
    };
    for (const PathCase &c : cases) {
        FakeRegistry reg;
        if (c.pathValue)
            reg.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", c.pathType, *c.pathValue);
        if (c.folderValue)
            reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
        if (c.readOnly) {
            reg.setReadOnly(kHkeyLocalMachine, kMsInfoKey);
            reg.setReadOnly(kHkeyLocalMachine, kSharedToolsKey);
        }
        const std::set<std::string> files = c.programInFolder ? std::set<std::string>{inFolder} : std::set<std::string>{};
        const auto exists = [&files](const std::string &path) { return files.count(path) > 0; };
        EXPECT_EQ(findSysInfoPath(reg, exists), c.found) << c.what;
        EXPECT_EQ(reg.keysTried(), c.keysTried) << c.what;
        EXPECT_EQ(reg.openKeys(), 0u) << c.what;
    }
}

} // namespace
