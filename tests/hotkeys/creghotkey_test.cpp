#include "forwardingplatform.h"

#include "hotkeys/creghotkey.h"
#include "hotkeys/fake/fakehotkeyplatform.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/platformerrors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace jw {
namespace {

constexpr std::intptr_t MainWindow = 0x4A0012;
constexpr std::intptr_t OtherWindow = 0x4A0077;

struct Press {
    std::string name;
    std::int32_t modifiers;
    std::int32_t key;
    bool operator==(const Press &) const = default;
};

void PrintTo(const Press &p, std::ostream *os)
{
    *os << "(\"" << p.name << "\", " << p.modifiers << ", " << p.key << ")";
}

// Runs `action`, which must throw HotKeyError, and returns the error.
HotKeyError errorFrom(const std::function<void()> &action)
{
    try {
        action();
    } catch (const HotKeyError &error) {
        return error;
    }
    ADD_FAILURE() << "no HotKeyError was thrown";
    return HotKeyError(0, {}, {});
}

std::string repeat(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.setExecutableName("jotwell");
        fake.setTickCount(4242);
        registry = std::make_unique<cRegHotKey>(std::make_unique<test::ForwardingPlatform>(fake));
        registry->HotKeyPress = [this](const std::string &name, std::int32_t modifiers, std::int32_t key) {
            presses.push_back({name, modifiers, key});
        };
    }

    // Number of calls to `function` recorded since the last clearCalls().
    int callsTo(const std::string &function) const
    {
        int n = 0;
        for (const auto &call : fake.calls())
            n += call.function == function ? 1 : 0;
        return n;
    }

    FakeHotKeyPlatform fake;
    std::unique_ptr<cRegHotKey> registry;
    std::vector<Press> presses;
};

// --- names ---------------------------------------------------------------

TEST_F(RegistryTest, NameOf32CharactersRegistersAnd33IsRefusedBeforeAnySystemCall)
{
    registry->RegisterKey(std::string(32, 'n'), 65, 2);
    EXPECT_EQ(registry->count(), 1);

    fake.clearCalls();
    const HotKeyError error = errorFrom([&] { registry->RegisterKey(std::string(33, 'n'), 66, 2); });
    EXPECT_EQ(error.number(), -2147220453);
    EXPECT_EQ(error.description(), "Key Name too long (max 32 characters).");
    EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    EXPECT_EQ(registry->count(), 1);
    EXPECT_EQ(callsTo("addAtom"), 0);
    EXPECT_EQ(callsTo("registerHotKey"), 0);
}

TEST_F(RegistryTest, NameLengthCountsCharactersNotBytes)
{
    registry->RegisterKey(repeat("\xC3\xA4", 32), 65, 2); // 32 x a-umlaut, 64 bytes
    EXPECT_EQ(registry->count(), 1);
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey(repeat("\xC3\xA4", 33), 66, 2); }).number(),
              cRegHotKey::ErrNameTooLong);
}

TEST_F(RegistryTest, EmptyNameIsAccepted)
{
    registry->RegisterKey("", 65, 2);
    ASSERT_EQ(registry->count(), 1);
    EXPECT_EQ(registry->key(1).sAtomName, "_jotwell_4242");
}

TEST_F(RegistryTest, SameNameTwiceIsRefusedButOtherLetterCaseIsAnotherKey)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    fake.clearCalls();
    const HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 87, 1); });
    EXPECT_EQ(error.number(), -2147220452);
    EXPECT_EQ(error.description(), "The Key Name 'JotwellVisible' is already registered.");
    EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    EXPECT_EQ(callsTo("addAtom"), 0);
    EXPECT_EQ(registry->count(), 1);

    registry->RegisterKey("jotwellvisible", 87, 1);
    EXPECT_EQ(registry->count(), 2);
    EXPECT_EQ(registry->key(2).sName, "jotwellvisible");
}

// --- atoms and identifiers ------------------------------------------------

TEST_F(RegistryTest, AtomNameIsNameProgramAndTickAndItsAtomIsTheIdentifier)
{
    registry->Attach(MainWindow);
    fake.clearCalls();
    registry->RegisterKey("JotwellVisible", 86, 1);

    ASSERT_EQ(registry->count(), 1);
    const cRegHotKey::tHotKey &key = registry->key(1);
    EXPECT_EQ(key.sName, "JotwellVisible");
    EXPECT_EQ(key.sAtomName, "JotwellVisible_jotwell_4242");
    EXPECT_EQ(key.lID, -16384); // atom 0xC000, sign-widened
    EXPECT_EQ(key.eKey, 86);
    EXPECT_EQ(key.eModifiers, 1);

    const auto &calls = fake.calls();
    const auto add = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.function == "addAtom"; });
    ASSERT_NE(add, calls.end());
    EXPECT_EQ(add->text, "JotwellVisible_jotwell_4242");
    const auto reg = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.function == "registerHotKey"; });
    ASSERT_NE(reg, calls.end());
    EXPECT_EQ(reg->args, (std::vector<std::int64_t>{MainWindow, -16384, 1, 86}));
    EXPECT_TRUE(fake.isRegistered(MainWindow, -16384));
}

TEST_F(RegistryTest, AtomNameIsCutAfter254Characters)
{
    fake.setExecutableName(std::string(240, 'x'));
    registry->RegisterKey("Key", 65, 1);
    const std::string full = "Key_" + std::string(240, 'x') + "_4242";
    EXPECT_EQ(registry->key(1).sAtomName, full.substr(0, 254));
}

TEST_F(RegistryTest, HighAtomsBecomeNegativeIdentifiersThatStillMatchPresses)
{
    std::uint32_t error = 0;
    for (int i = 0xC000; i <= 0xFFFC; ++i)
        fake.atoms().add("filler" + std::to_string(i), error);
    registry->Attach(MainWindow);
    registry->RegisterKey("Top", 65, 1); // gets atom 0xFFFD
    EXPECT_EQ(registry->key(1).lID, -3);
    EXPECT_TRUE(fake.postHotKey(MainWindow, -3, 0));
    EXPECT_EQ(presses, (std::vector<Press>{{"Top", 1, 65}}));
}

TEST_F(RegistryTest, SnapshotIdentifiersAreNeverUsedForAKey)
{
    // Only 0xFFFE (-2) and 0xFFFF (-1) are left: both are reserved for the
    // system, so the registration fails instead of creating a key whose
    // presses would be reported under another name.
    std::uint32_t error = 0;
    for (int i = 0xC000; i <= 0xFFFD; ++i)
        fake.atoms().add("filler" + std::to_string(i), error);
    const std::size_t fillers = fake.atoms().size();
    fake.setMessageText(platformerror::NotEnoughMemory, "table full");

    const HotKeyError failure = errorFrom([&] { registry->RegisterKey("Edge", 65, 1); });
    EXPECT_EQ(failure.number(), cRegHotKey::ErrAddAtom);
    EXPECT_EQ(failure.description(), "Failed to add GlobalAtom [table full]");
    EXPECT_EQ(callsTo("registerHotKey"), 0);
    EXPECT_EQ(fake.atoms().size(), fillers); // the two reserved atoms were given back
    EXPECT_EQ(registry->count(), 0);
}

TEST_F(RegistryTest, NamesDifferingOnlyInCaseGetTheirOwnIdentifiers)
{
    // Atom names ignore case and the tick count has not moved, so "a" and "A"
    // would share one atom.
    registry->Attach(MainWindow);
    registry->RegisterKey("a", 65, 1);
    registry->RegisterKey("A", 66, 1);
    const std::int32_t lower = registry->key(1).lID;
    const std::int32_t upper = registry->key(2).lID;
    ASSERT_NE(lower, upper);
    EXPECT_EQ(registry->key(2).sAtomName, "A_jotwell_4242_1");
    EXPECT_EQ(fake.atoms().referenceCount(static_cast<std::uint16_t>(lower)), 1);

    fake.postHotKey(MainWindow, upper, 0);
    fake.postHotKey(MainWindow, lower, 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"A", 1, 66}, {"a", 1, 65}}));

    registry->UnregisterKey("A");
    EXPECT_EQ(fake.atoms().referenceCount(static_cast<std::uint16_t>(lower)), 1);
    EXPECT_TRUE(fake.isRegistered(MainWindow, lower));
}

// --- failures of the system -------------------------------------------------

TEST_F(RegistryTest, RefusedRegistrationReleasesItsAtomAndCarriesTheSystemText)
{
    registry->Attach(MainWindow);
    fake.takeCombination(1, 86, platformerror::HotKeyAlreadyRegistered);
    fake.setMessageText(platformerror::HotKeyAlreadyRegistered, "Hot key is already registered.\r\n");
    fake.clearCalls();

    const HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
    EXPECT_EQ(error.description(), "Failed to Register Hot Key [Hot key is already registered.\r\n]");
    EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    EXPECT_EQ(error.systemError(), platformerror::HotKeyAlreadyRegistered);
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(fake.atoms().size(), 0u);
    // The error code is read before the atom is given back.
    EXPECT_EQ(fake.functionsCalled(),
              (std::vector<std::string>{"executableName", "tickCount", "addAtom", "registerHotKey",
                                        "lastError", "deleteAtom", "formatMessage", "executableName"}));
}

TEST_F(RegistryTest, RefusedRegistrationWithoutSystemTextHasNoBrackets)
{
    fake.takeCombination(1, 86, 5);
    const HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.description(), "Failed to Register Hot Key");
    EXPECT_EQ(error.systemError(), 5u);
}

TEST_F(RegistryTest, FailedAtomRegistersNothing)
{
    fake.failNextAddAtom(platformerror::NotEnoughMemory);
    fake.setMessageText(platformerror::NotEnoughMemory, "Not enough memory.");
    const HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.number(), -2147220454);
    EXPECT_EQ(error.description(), "Failed to add GlobalAtom [Not enough memory.]");
    EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    EXPECT_EQ(callsTo("registerHotKey"), 0);
    EXPECT_EQ(registry->count(), 0);

    registry->RegisterKey("JotwellVisible", 86, 1); // nothing was left behind
    EXPECT_EQ(registry->count(), 1);
}

TEST_F(RegistryTest, ErrorSourceFollowsTheProgramName)
{
    fake.setExecutableName("notes");
    EXPECT_EQ(errorFrom([&] { registry->UnregisterKey("x"); }).source(), "notes.cRegHotKey");
}

// --- removal ------------------------------------------------------------------

TEST_F(RegistryTest, UnregisteringAnUnknownNameFailsBeforeAnySystemCall)
{
    registry->RegisterKey("Alpha", 65, 1);
    fake.clearCalls();
    const HotKeyError error = errorFrom([&] { registry->UnregisterKey("alpha"); });
    EXPECT_EQ(error.number(), -2147220455);
    EXPECT_EQ(error.description(), "No hot key registered under the name 'alpha'");
    EXPECT_EQ(callsTo("unregisterHotKey"), 0);
    EXPECT_EQ(callsTo("deleteAtom"), 0);
    EXPECT_EQ(registry->count(), 1);
}

TEST_F(RegistryTest, RemovingTheFirstOfThreeKeepsTheOthersInOrderAndWorking)
{
    registry->Attach(MainWindow);
    fake.setTickCount(1);
    registry->RegisterKey("A", 65, 1);
    fake.setTickCount(2);
    registry->RegisterKey("B", 66, 2);
    fake.setTickCount(3);
    registry->RegisterKey("C", 67, 4);
    const std::int32_t idA = registry->key(1).lID;
    const std::int32_t idB = registry->key(2).lID;
    const std::int32_t idC = registry->key(3).lID;

    fake.clearCalls();
    registry->UnregisterKey("A");
    EXPECT_EQ(fake.functionsCalled(), (std::vector<std::string>{"unregisterHotKey", "deleteAtom"}));
    EXPECT_EQ(fake.calls()[0].args, (std::vector<std::int64_t>{MainWindow, idA}));
    EXPECT_EQ(fake.calls()[1].args, (std::vector<std::int64_t>{static_cast<std::uint16_t>(idA)}));

    ASSERT_EQ(registry->count(), 2);
    EXPECT_EQ(registry->key(1).sName, "B");
    EXPECT_EQ(registry->key(2).sName, "C");
    EXPECT_EQ(registry->key(2).lID, idC);

    fake.postHotKey(MainWindow, idC, 0);
    fake.postHotKey(MainWindow, idB, 0);
    fake.postHotKey(MainWindow, idA, (1 | (65 << 16)));
    EXPECT_EQ(presses, (std::vector<Press>{{"C", 4, 67}, {"B", 2, 66}, {"Unknown HotKey", 1, 65}}));
}

TEST_F(RegistryTest, RemovingTheMiddleKeyShiftsTheLastDown)
{
    registry->RegisterKey("A", 65, 1);
    registry->RegisterKey("B", 66, 1);
    registry->RegisterKey("C", 67, 1);
    registry->UnregisterKey("B");
    ASSERT_EQ(registry->count(), 2);
    EXPECT_EQ(registry->key(1).sName, "A");
    EXPECT_EQ(registry->key(2).sName, "C");
    EXPECT_THROW((void)registry->key(3), std::out_of_range);
}

TEST_F(RegistryTest, RemovingTheOnlyKeyEmptiesTheTableAndRegisteringWorksAgain)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("JotwellVisible", 86, 1);
    registry->UnregisterKey("JotwellVisible");
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(fake.registrationCount(), 0u);
    EXPECT_EQ(fake.atoms().size(), 0u);

    registry->RegisterKey("JotwellVisible", 86, 1);
    ASSERT_EQ(registry->count(), 1);
    fake.postHotKey(MainWindow, registry->key(1).lID, 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"JotwellVisible", 1, 86}}));
}

// --- Clear, Attach and destruction ----------------------------------------------

TEST_F(RegistryTest, ClearOnAFreshRegistryCallsNothing)
{
    registry->Clear();
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_EQ(registry->attachedWindow(), 0);
}

TEST_F(RegistryTest, ClearReleasesLastRegisteredFirstThenDetaches)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    registry->RegisterKey("B", 66, 1);
    registry->RegisterKey("C", 67, 1);
    const std::int32_t ids[] = {registry->key(1).lID, registry->key(2).lID, registry->key(3).lID};
    fake.clearCalls();

    registry->Clear();

    std::vector<std::int64_t> unregistered;
    for (const auto &call : fake.calls()) {
        if (call.function == "unregisterHotKey")
            unregistered.push_back(call.args[1]);
    }
    EXPECT_EQ(unregistered, (std::vector<std::int64_t>{ids[2], ids[1], ids[0]}));
    EXPECT_EQ(fake.calls().back().function, "detachMessage");
    EXPECT_EQ(fake.calls().back().args, (std::vector<std::int64_t>{MainWindow, 786}));
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(registry->attachedWindow(), 0);
    EXPECT_EQ(fake.registrationCount(), 0u);
    EXPECT_EQ(fake.atoms().size(), 0u);
    EXPECT_FALSE(fake.postHotKey(MainWindow, ids[0], 0));
    EXPECT_TRUE(presses.empty());
}

TEST_F(RegistryTest, SecondAttachReleasesEverythingOfTheFirstWindow)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    registry->RegisterKey("B", 66, 1);
    const std::int32_t idA = registry->key(1).lID;

    registry->Attach(OtherWindow);
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(fake.registrationCount(), 0u);
    EXPECT_FALSE(fake.isAttached(MainWindow, 786));
    EXPECT_TRUE(fake.isAttached(OtherWindow, 786));
    EXPECT_EQ(registry->attachedWindow(), OtherWindow);

    registry->RegisterKey("A", 65, 1);
    EXPECT_TRUE(fake.isRegistered(OtherWindow, registry->key(1).lID));
    EXPECT_FALSE(fake.postHotKey(MainWindow, idA, 0));
    fake.postHotKey(OtherWindow, registry->key(1).lID, 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"A", 1, 65}}));
}

TEST_F(RegistryTest, AttachToZeroStaysDetachedAndKeysGoToNoWindow)
{
    registry->Attach(0);
    EXPECT_EQ(callsTo("attachMessage"), 0);
    registry->RegisterKey("A", 65, 1);
    EXPECT_TRUE(fake.isRegistered(0, registry->key(1).lID));
}

TEST_F(RegistryTest, DestructionReleasesEveryKeyLastFirstAndDetaches)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    registry->RegisterKey("B", 66, 1);
    const std::int32_t idB = registry->key(2).lID;
    fake.clearCalls();

    registry.reset();

    EXPECT_EQ(fake.registrationCount(), 0u);
    EXPECT_EQ(fake.atoms().size(), 0u);
    EXPECT_FALSE(fake.isAttached(MainWindow, 786));
    ASSERT_FALSE(fake.calls().empty());
    EXPECT_EQ(fake.calls().front().function, "unregisterHotKey");
    EXPECT_EQ(fake.calls().front().args[1], idB);
}

// --- messages ---------------------------------------------------------------------

TEST_F(RegistryTest, OtherMessagesRaiseNothing)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    EXPECT_EQ(registry->WindowProc(MainWindow, 785, registry->key(1).lID, 0), 0);
    EXPECT_EQ(registry->WindowProc(MainWindow, 0x0312 + 1, -1, 0), 0);
    EXPECT_TRUE(presses.empty());
}

TEST_F(RegistryTest, SnapshotIdentifiersAreReportedAsTheSystemKeys)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    EXPECT_EQ(registry->WindowProc(MainWindow, 786, -2, 0x00560001), 0);
    EXPECT_EQ(registry->WindowProc(MainWindow, 786, -1, 0x00560001), 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"Desktop Snapshot", 0, 44}, {"Window Snapshot", 4, 44}}));
}

TEST_F(RegistryTest, UnknownIdentifierTakesModifiersAndKeyFromTheMessage)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("A", 65, 1);
    EXPECT_EQ(registry->WindowProc(0, 786, 12345, 0x00560003), 0); // hwnd is not looked at
    EXPECT_EQ(registry->WindowProc(MainWindow, 786, 7, static_cast<std::int32_t>(0xFFFF0002u)), 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"Unknown HotKey", 3, 0x56}, {"Unknown HotKey", 2, 0xFFFF}}));
}

TEST_F(RegistryTest, KnownIdentifierReportsModifiersBeforeKey)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("JotwellVisible", 86, 1);
    EXPECT_EQ(registry->WindowProc(MainWindow, 786, registry->key(1).lID, 0x12340009), 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"JotwellVisible", 1, 86}}));
}

TEST_F(RegistryTest, HandlerMayChangeTheRegistryWhileItRuns)
{
    registry->Attach(MainWindow);
    registry->RegisterKey("Once", 65, 1);
    registry->RegisterKey("Stay", 66, 1);
    registry->HotKeyPress = [this](const std::string &name, std::int32_t, std::int32_t) {
        presses.push_back({name, 0, 0});
        registry->UnregisterKey(name);
        registry->HotKeyPress = nullptr;
    };
    fake.postHotKey(MainWindow, registry->key(1).lID, 0);
    EXPECT_EQ(presses, (std::vector<Press>{{"Once", 0, 0}}));
    EXPECT_EQ(registry->count(), 1);
    EXPECT_EQ(registry->key(1).sName, "Stay");

    // A handler that clears everything, including the window's attachment.
    registry->HotKeyPress = [this](const std::string &, std::int32_t, std::int32_t) { registry->Clear(); };
    EXPECT_TRUE(fake.postHotKey(MainWindow, registry->key(1).lID, 0));
    EXPECT_EQ(registry->count(), 0);
    EXPECT_FALSE(fake.isAttached(MainWindow, 786));
}

// --- windows ------------------------------------------------------------------------

TEST_F(RegistryTest, RestoreAndActivateShowsAHiddenWindow)
{
    fake.window(MainWindow) = {false, false, false};
    registry->RestoreAndActivate(MainWindow);
    EXPECT_EQ(fake.functionsCalled(),
              (std::vector<std::string>{"isWindowVisible", "showWindow", "isIconic", "setForegroundWindow"}));
    EXPECT_EQ(fake.calls()[1].args, (std::vector<std::int64_t>{MainWindow, 5}));
    EXPECT_TRUE(fake.window(MainWindow).visible);
    EXPECT_TRUE(fake.window(MainWindow).foreground);
}

TEST_F(RegistryTest, RestoreAndActivateRestoresAMinimisedWindow)
{
    fake.window(MainWindow) = {true, true, false};
    registry->RestoreAndActivate(MainWindow);
    EXPECT_EQ(fake.functionsCalled(),
              (std::vector<std::string>{"isWindowVisible", "isIconic", "sendMessage", "setForegroundWindow"}));
    EXPECT_EQ(fake.calls()[2].args, (std::vector<std::int64_t>{MainWindow, 274, 0xF120, 0}));
    EXPECT_FALSE(fake.window(MainWindow).iconic);
}

} // namespace
} // namespace jw
