// The bookkeeping every desktop shares, on a fake desktop.
#include "hotkeys/fake/fakebackend.h"
#include "hotkeys/hotkeyservice.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace jw;

namespace {

const KeyChord AltV{'V', 1}, CtrlJ{'J', 2}, AltW{'W', 1};

// A key of the program that notes what it is told.
struct Key final : HotKeyService::Client {
    void onPressed(std::uint32_t time) override
    {
        log.push_back("press " + std::to_string(time));
        if (whenPressed)
            whenPressed();
    }
    void onAnswered(const HotKeyAnswer &answer) override
    {
        log.push_back("answer " + std::to_string(int(answer.refusal)) + " " + answer.detail);
    }
    std::vector<std::string> log;
    std::function<void()> whenPressed;
};

HotKeyBackend::Request ask(const KeyChord &chord) { return {"JotwellVisible", "Show or hide", "Alt+V", chord}; }

/// The ids `backend` holds, after `ids`.
std::vector<int> heldIds(const FakeBackend &backend, std::vector<int> ids = {})
{
    std::transform(backend.held().begin(), backend.held().end(), std::back_inserter(ids),
                   [](auto &held) { return held.first; });
    return ids;
}

TEST(HotKeyService, OneOwnerPerCombinationAndAKeyKeepsItsCombinationWhenANewOneIsRefused)
{
    auto *grabs = new FakeBackend;
    HotKeyService service{std::unique_ptr<HotKeyBackend>(grabs)};
    Key first, second;
    grabs->refuse(AltW, {HotKeyRefusal::Taken, "elsewhere"});
    // The key, its new combination, the answer, and the ids the desktop holds afterwards.
    const std::tuple<Key *, KeyChord, HotKeyAnswer, std::vector<int>> steps[] = {
        {&first, AltV, {}, {1}},
        {&second, AltV, {HotKeyRefusal::Taken}, {1}}, // not asked of the desktop at all
        {&first, AltV, {}, {1}},                      // already held: nothing changes
        {&first, AltW, {HotKeyRefusal::Taken, "elsewhere"}, {1}},
        {&first, CtrlJ, {}, {3}}, // the new one is held, the old one let go
        {&second, AltV, {}, {3, 4}},
    };
    for (const auto &[key, chord, answer, held] : steps) {
        const HotKeyAnswer got = service.take(*key, ask(chord));
        EXPECT_EQ(std::pair(got, heldIds(*grabs)), std::pair(answer, held));
    }
    EXPECT_EQ(service.chordOf(first), CtrlJ);
    EXPECT_TRUE(grabs->press(AltV, 77) && grabs->press(CtrlJ, 78));
    EXPECT_EQ(std::pair(first.log, second.log),
              std::pair(std::vector<std::string>{"press 78"}, std::vector<std::string>{"press 77"}));

    // A key may let go of its combination while it is told of a press.
    first.whenPressed = [&] { service.release(first); };
    EXPECT_TRUE(grabs->press(CtrlJ, 79));
    EXPECT_EQ(service.chordOf(first), std::nullopt);
    EXPECT_FALSE(grabs->press(CtrlJ, 80));
    Key third;
    EXPECT_EQ(service.take(third, ask(CtrlJ)).refusal, HotKeyRefusal::None);
}

TEST(HotKeyService, TheDesktopServiceAnswersLaterAndEverythingIsLetGoAtTheEnd)
{
    auto *grabs = new FakeBackend;
    auto *desktop = new FakeBackend;
    desktop->decideLater();
    auto service =
        std::make_unique<HotKeyService>(std::unique_ptr<HotKeyBackend>(grabs), std::unique_ptr<HotKeyBackend>(desktop));
    Key key, other;
    EXPECT_EQ(HotKeyService(std::make_unique<FakeBackend>()).take(key, ask(AltV), HotKeyService::Route::Desktop),
              (HotKeyAnswer{HotKeyRefusal::Unsupported}));
    EXPECT_EQ(service->take(key, ask(AltV), HotKeyService::Route::Desktop), (HotKeyAnswer{{}, {}, true}));
    EXPECT_EQ(service->take(key, ask(AltV), HotKeyService::Route::Desktop), (HotKeyAnswer{{}, {}, true}));
    desktop->decide(1, {});
    desktop->decide(1, {HotKeyRefusal::Failed}); // decided already: ignored
    EXPECT_EQ(service->take(key, ask(AltV)), (HotKeyAnswer{}));
    EXPECT_TRUE(desktop->press(AltV, 0));
    EXPECT_EQ(key.log, (std::vector<std::string>{"answer 0 ", "press 0"}));

    // A refusal that comes later leaves the key without a combination.
    EXPECT_TRUE(service->take(other, ask(CtrlJ), HotKeyService::Route::Desktop).pending);
    desktop->decide(2, {HotKeyRefusal::Failed, "not confirmed"});
    EXPECT_EQ(other.log, std::vector<std::string>{"answer 5 not confirmed"});
    EXPECT_EQ(service->chordOf(other), std::nullopt);
    EXPECT_EQ(desktop->held().size(), 1u);

    EXPECT_EQ(service->take(other, ask(CtrlJ)), (HotKeyAnswer{}));
    EXPECT_EQ(grabs->held().size(), 1u);
    // The service owns the backends: what they let go is written down here.
    std::vector<int> held = heldIds(*desktop, heldIds(*grabs)), released;
    grabs->released = desktop->released = &released;
    ASSERT_FALSE(held.empty());
    service.reset();
    std::sort(held.begin(), held.end());
    std::sort(released.begin(), released.end());
    EXPECT_EQ(released, held);
}

} // namespace
