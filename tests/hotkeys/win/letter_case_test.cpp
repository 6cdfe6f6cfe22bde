#include "wintestsupport.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(Win32HotKeys, NamesDifferingOnlyInLetterCaseStaySeparateKeys)
{
    // The system's atom names ignore case, and both registrations usually
    // fall into the same tick, so both would get the same atom.
    test::MessageWindow window;
    std::vector<test::Press> presses;
    WinHotKeyPlatform *backend = nullptr;
    auto registry = test::makeRegistry(presses, &backend);
    registry->Attach(window.handle());
    registry->RegisterKey("pad", 80, 3);
    registry->RegisterKey("PAD", 80, 5);
    ASSERT_NE(registry->key(1).lID, registry->key(2).lID);

    test::postHotKey(window.handle(), registry->key(2).lID, 5, 80);
    test::postHotKey(window.handle(), registry->key(1).lID, 3, 80);
    test::pumpMessages(*backend);
    EXPECT_EQ(presses, (std::vector<test::Press>{{"PAD", 5, 80}, {"pad", 3, 80}}));

    const auto lowerAtom = static_cast<std::uint16_t>(registry->key(1).lID);
    registry->UnregisterKey("PAD");
    EXPECT_TRUE(test::atomExists(lowerAtom));
    registry->UnregisterKey("pad");
    EXPECT_FALSE(test::atomExists(lowerAtom));
}

} // namespace
} // namespace jw
