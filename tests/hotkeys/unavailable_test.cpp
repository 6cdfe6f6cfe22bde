#include "forwardingplatform.h"

#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/platformerrors.h"
#include "hotkeys/unavailable/unavailablehotkeyplatform.h"

#include <gtest/gtest.h>

#include <memory>

namespace jw {
namespace {

TEST(UnavailablePlatform, RegistrationIsRefusedWithTheReasonAndTheAtomReleased)
{
    UnavailableHotKeyPlatform platform("there is no display");
    cRegHotKey registry(std::make_unique<test::ForwardingPlatform>(platform));
    registry.Attach(77);
    try {
        registry.RegisterKey("JotwellVisible", 86, 1);
        FAIL() << "registration should be refused";
    } catch (const HotKeyError &error) {
        EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
        EXPECT_EQ(error.systemError(), platformerror::NotSupported);
        EXPECT_EQ(error.description(),
                  "Failed to Register Hot Key [Global hot keys are not available in this desktop "
                  "session (there is no display)]");
        EXPECT_EQ(error.source(), "hotkeys_tests.cRegHotKey");
    }
    EXPECT_EQ(registry.count(), 0);
    EXPECT_EQ(platform.atoms().size(), 0u);
}

TEST(UnavailablePlatform, TickCountMovesForward)
{
    UnavailableHotKeyPlatform platform("");
    const std::uint32_t first = platform.tickCount();
    std::uint32_t later = first;
    for (int i = 0; i < 1000000 && later == first; ++i)
        later = platform.tickCount();
    EXPECT_GT(later - first, 0u);
    EXPECT_LT(later - first, 1000u);
}

} // namespace
} // namespace jw
