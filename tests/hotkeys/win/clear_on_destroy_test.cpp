#include "wintestsupport.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(Win32HotKeys, DestroyingTheRegistryReleasesEveryKeyAndAtom)
{
    test::MessageWindow firstWindow;
    test::MessageWindow secondWindow;
    std::vector<test::Press> presses;
    WinHotKeyPlatform *firstBackend = nullptr;
    WinHotKeyPlatform *secondBackend = nullptr;
    auto atoms = std::make_shared<std::vector<std::uint16_t>>();
    auto first = test::makeRegistry(presses, &firstBackend, atoms);
    first->Attach(firstWindow.handle());
    first->RegisterKey("JotwellVisible", 86, 1);
    first->RegisterKey("Other", 86, 3);
    ASSERT_EQ(atoms->size(), 2u);

    first.reset();
    for (const std::uint16_t atom : *atoms)
        EXPECT_FALSE(test::atomExists(atom));

    auto second = test::makeRegistry(presses, &secondBackend);
    second->Attach(secondWindow.handle());
    second->RegisterKey("JotwellVisible", 86, 1);
    second->RegisterKey("Other", 86, 3);
    EXPECT_EQ(second->count(), 2);
}

} // namespace
} // namespace jw
