#include "hotkeys/isubclass.h"
#include "hotkeys/messagerouter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace jw {
namespace {

struct Received {
    std::intptr_t hwnd;
    std::int32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
    bool operator==(const Received &) const = default;
};

class Target final : public ISubclass {
public:
    std::int32_t MsgResponse() const override { return 2; }
    void setMsgResponse(std::int32_t) override {}
    std::int32_t WindowProc(std::intptr_t hwnd, std::int32_t iMsg, std::int32_t wParam,
                            std::int32_t lParam) override
    {
        received.push_back({hwnd, iMsg, wParam, lParam});
        if (onMessage)
            onMessage();
        return 0;
    }

    std::vector<Received> received;
    std::function<void()> onMessage;
};

TEST(MessageRouter, DeliversOnlyTheAttachedWindowAndMessage)
{
    MessageRouter router;
    Target target;
    router.attach(target, 10, 786);
    router.attach(target, 10, 786); // no second delivery
    EXPECT_TRUE(router.deliver(10, 786, -16384, 0x560001));
    EXPECT_FALSE(router.deliver(11, 786, 1, 0));
    EXPECT_FALSE(router.deliver(10, 785, 1, 0));
    EXPECT_EQ(target.received, (std::vector<Received>{{10, 786, -16384, 0x560001}}));

    router.detach(target, 10, 786);
    EXPECT_FALSE(router.isAttached(10, 786));
    EXPECT_FALSE(router.deliver(10, 786, 1, 0));
    EXPECT_EQ(target.received.size(), 1u);
}

TEST(MessageRouter, TargetDetachedByAnEarlierTargetGetsNothing)
{
    MessageRouter router;
    Target first;
    Target second;
    router.attach(first, 10, 786);
    router.attach(second, 10, 786);
    first.onMessage = [&] { router.detach(second, 10, 786); };
    EXPECT_TRUE(router.deliver(10, 786, 1, 0));
    EXPECT_EQ(first.received.size(), 1u);
    EXPECT_TRUE(second.received.empty());
}

TEST(MessageRouter, TargetMayDestroyTheRouterWhileReceiving)
{
    auto router = std::make_unique<MessageRouter>();
    Target first;
    Target second;
    router->attach(first, 10, 786);
    router->attach(second, 10, 786);
    first.onMessage = [&] { router.reset(); };
    router->deliver(10, 786, 1, 0);
    EXPECT_EQ(router, nullptr);
    EXPECT_TRUE(second.received.empty());
}

} // namespace
} // namespace jw
