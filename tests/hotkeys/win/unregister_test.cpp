#include "wintestsupport.h"

#include "hotkeys/hotkeyerror.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(Win32HotKeys, UnregisteringFreesTheCombinationAndTheAtom)
{
    test::MessageWindow firstWindow;
    test::MessageWindow secondWindow;
    std::vector<test::Press> presses;
    WinHotKeyPlatform *firstBackend = nullptr;
    WinHotKeyPlatform *secondBackend = nullptr;
    auto first = test::makeRegistry(presses, &firstBackend);
    auto second = test::makeRegistry(presses, &secondBackend);
    first->Attach(firstWindow.handle());
    second->Attach(secondWindow.handle());

    first->RegisterKey("JotwellVisible", 86, 1);
    const auto atom = static_cast<std::uint16_t>(first->key(1).lID);
    first->UnregisterKey("JotwellVisible");
    EXPECT_EQ(first->count(), 0);
    EXPECT_FALSE(test::atomExists(atom));

    second->RegisterKey("JotwellVisible", 86, 1); // the system no longer holds it for the first
    EXPECT_EQ(second->count(), 1);

    try {
        first->UnregisterKey("JotwellVisible");
        FAIL() << "unregistered twice";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.number(), cRegHotKey::ErrNotRegistered);
    }
}

} // namespace
} // namespace jw
