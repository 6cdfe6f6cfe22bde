#include "wintestsupport.h"

#include "hotkeys/hotkeyerror.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(Win32HotKeys, SecondRegistrationOfACombinationIsRefusedAndItsAtomReleased)
{
    test::MessageWindow firstWindow;
    test::MessageWindow secondWindow;
    std::vector<test::Press> presses;
    WinHotKeyPlatform *firstBackend = nullptr;
    WinHotKeyPlatform *secondBackend = nullptr;
    auto first = test::makeRegistry(presses, &firstBackend);
    auto secondAtoms = std::make_shared<std::vector<std::uint16_t>>();
    auto second = test::makeRegistry(presses, &secondBackend, secondAtoms);
    first->Attach(firstWindow.handle());
    second->Attach(secondWindow.handle());

    first->RegisterKey("JotwellVisible", 86, 1);
    try {
        second->RegisterKey("Second", 86, 1);
        FAIL() << "the combination was registered twice";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
        EXPECT_EQ(error.systemError(), 1409u); // ERROR_HOTKEY_ALREADY_REGISTERED
        EXPECT_EQ(error.description().rfind("Failed to Register Hot Key", 0), 0u);
    }
    EXPECT_EQ(second->count(), 0);
    ASSERT_EQ(secondAtoms->size(), 1u);
    EXPECT_FALSE(test::atomExists(secondAtoms->front()));
    EXPECT_TRUE(test::atomExists(static_cast<std::uint16_t>(first->key(1).lID)));

    // Another combination is fine for the second registry.
    second->RegisterKey("Second", 87, 1);
    EXPECT_EQ(second->count(), 1);
}

} // namespace
} // namespace jw
