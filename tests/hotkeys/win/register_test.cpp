#include "wintestsupport.h"

#include "hotkeys/hotkeyerror.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(Win32HotKeys, RegisteredKeyHasAGlobalAtomAndItsMessagesReachTheHandler)
{
    test::MessageWindow window;
    ASSERT_NE(window.handle(), 0);
    std::vector<test::Press> presses;
    WinHotKeyPlatform *backend = nullptr;
    auto registry = test::makeRegistry(presses, &backend);
    registry->Attach(window.handle());

    registry->RegisterKey("JotwellVisible", 86, 1);
    ASSERT_EQ(registry->count(), 1);
    const cRegHotKey::tHotKey &key = registry->key(1);
    // Global atoms lie from 0xC000 up, so the sign-widened identifier is negative.
    EXPECT_LE(key.lID, -1);
    EXPECT_GE(key.lID, -16384);
    EXPECT_EQ(key.sAtomName.rfind("JotwellVisible_hk_win_register_", 0), 0u) << key.sAtomName;
    EXPECT_EQ(test::atomName(static_cast<std::uint16_t>(key.lID)), key.sAtomName);

    // The system sends the identifier sign-extended to 64 bits.
    test::postHotKey(window.handle(), key.lID, 1, 86);
    test::postHotKey(window.handle(), 77, 2, 65);
    test::pumpMessages(*backend);
    EXPECT_EQ(presses, (std::vector<test::Press>{{"JotwellVisible", 1, 86}, {"Unknown HotKey", 2, 65}}));

    // The program's name comes without ".exe".
    try {
        registry->UnregisterKey("missing");
        FAIL() << "no error";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.source(), "hk_win_register.cRegHotKey");
    }
}

} // namespace
} // namespace jw
