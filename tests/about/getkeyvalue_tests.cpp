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
    return nul ? Bytes(s.c_str(), s.c_str() + s.size() + 1) : Bytes(s.begin(), s.end());
}

TEST(GetKeyValue, ReadsOneValueAndAlwaysClosesTheKey)
{
    const std::string key = "SOFTWARE\\Jotwell Tests";
    // What, type, bytes, key read-only, read, the value afterwards.
    const std::tuple<const char *, std::uint32_t, Bytes, bool, bool, std::string> cases[] = {
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
    for (const auto &[what, type, bytes, readOnly, read, want] : cases) {
        FakeRegistry reg;
        reg.setValue(kHkeyLocalMachine, key, "V", type, bytes);
        if (readOnly)
            reg.setReadOnly(kHkeyLocalMachine, key);
        std::string value = "caller's";
        const bool got = GetKeyValue(reg, kHkeyLocalMachine, key, "V", value);
        EXPECT_EQ(std::tuple(got, value, reg.openKeys()), std::tuple(read, want, 0u)) << what;
    }

    FakeRegistry reg;
    reg.setText(kHkeyLocalMachine, key, "V", "x");
    for (const auto &[root, name, value] :
         {std::tuple{kHkeyLocalMachine, key, "Other"}, std::tuple{kHkeyLocalMachine, key + "\\Nowhere", "V"},
          std::tuple{kHkeyCurrentUser, key, "V"}}) {
        std::string read = "caller's";
        const bool got = GetKeyValue(reg, root, name, value, read);
        EXPECT_EQ(std::pair(got, read), std::pair(false, std::string())) << name << " " << value;
    }
    EXPECT_EQ(reg.openKeys(), 0u);
}

TEST(SysInfoPath, ThePathValueFirstThenTheSharedToolsFolder)
{
    const std::string inFolder = "C:\\Shared\\MSINFO32.EXE";
    const std::vector<std::string> first{kMsInfoKey}, both{kMsInfoKey, kSharedToolsKey};
    // What, the PATH value and its type, whether "MSINFO" names "C:\Shared", whether the program is there,
    // keys read-only; what is found and the keys tried.
    const std::tuple<const char *, std::optional<Bytes>, std::uint32_t, bool, bool, bool, std::optional<std::string>,
                     std::vector<std::string>>
        cases[] = {
            {"path value wins", text("C:\\Info\\msinfo32.exe"), kRegSz, true, true, false, "C:\\Info\\msinfo32.exe",
             first},
            {"path to a missing file", text("C:\\Gone\\m.exe"), kRegSz, true, true, false, "C:\\Gone\\m.exe", first},
            {"path not text", Bytes{'C', ':', 0}, kRegBinary, true, true, false, "", first},
            {"folder holding the program", std::nullopt, kRegSz, true, true, false, inFolder, both},
            {"folder without the program", std::nullopt, kRegSz, true, false, false, std::nullopt, both},
            {"neither value", std::nullopt, kRegSz, false, false, false, std::nullopt, both},
            {"keys the user may only read", text("C:\\Info\\m.exe"), kRegSz, true, true, true, std::nullopt, both},
        };
    for (const auto &[what, path, pathType, folder, programInFolder, readOnly, found, keysTried] : cases) {
        FakeRegistry reg;
        if (path)
            reg.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", pathType, *path);
        if (folder)
            reg.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", "C:\\Shared");
        for (const char *key : {kMsInfoKey, kSharedToolsKey})
            if (readOnly)
                reg.setReadOnly(kHkeyLocalMachine, key);
        const auto exists = [&, there = programInFolder](const std::string &p) { return there && p == inFolder; };
        const auto result = findSysInfoPath(reg, exists);
        EXPECT_EQ(std::tuple(result, reg.keysTried(), reg.openKeys()), std::tuple(found, keysTried, 0u)) << what;
    }
}

} // namespace
