// The registry's rules on the fake desktop, which shares the real backends'
// bookkeeping (atoms, errors, press callback).
#include "presslog.h"

#include "hotkeys/fake/fakehotkeybackend.h"
#include "hotkeys/hotkeytext.h"
#include "hotkeys/unavailable/unavailablebackend.h"
#include "hotkeys/win32codes.h"

#include <memory>
#include <tuple>

using namespace jw;
using namespace jwtest;

namespace {

constexpr std::intptr_t Main = 0x4A0012;
constexpr std::intptr_t Other = 0x4A0077;

std::string repeat(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
    {
        recordPresses(*registry, presses);
        registry->Attach(Main);
    }
    FakeHotKeyBackend *fake() { return m_fake; }
    std::int32_t id(int index) const { return registry->key(index).lID; }

private:
    std::unique_ptr<FakeHotKeyBackend> m_owned = std::make_unique<FakeHotKeyBackend>();
    FakeHotKeyBackend *m_fake = m_owned.get();

protected:
    std::unique_ptr<cRegHotKey> registry = std::make_unique<cRegHotKey>(std::move(m_owned));
    Presses presses;
};

TEST_F(RegistryTest, NamesUpTo32CharactersAreUniqueAndCaseSensitive)
{
    registry->RegisterKey(std::string(32, 'n'), 'A', 2);
    registry->RegisterKey(repeat("\xC3\xA4", 32), 'B', 2); // 64 bytes, 32 characters
    registry->RegisterKey("", 'C', 2);
    EXPECT_EQ(registry->key(3).sAtomName, "_jotwell_4242");
    for (const std::string &tooLong : {std::string(33, 'n'), repeat("\xC3\xA4", 33)}) {
        const HotKeyError error = errorFrom([&] { registry->RegisterKey(tooLong, 'D', 2); });
        EXPECT_EQ(error.number(), -2147220453);
        EXPECT_EQ(error.description(), "Key Name too long (max 32 characters).");
        EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    }
    registry->RegisterKey("JotwellVisible", 86, 1);
    const HotKeyError taken = errorFrom([&] { registry->RegisterKey("JotwellVisible", 87, 1); });
    EXPECT_EQ(taken.number(), -2147220452);
    EXPECT_EQ(taken.description(), "The Key Name 'JotwellVisible' is already registered.");
    EXPECT_EQ(fake()->atoms().size(), 4u); // refused names made no atom
    registry->RegisterKey("jotwellvisible", 87, 1);
    EXPECT_EQ(registry->count(), 5);
}

TEST_F(RegistryTest, AtomIsNameProgramAndTicksAndItsSignWidenedValueIsTheIdentifier)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    const cRegHotKey::tHotKey &key = registry->key(1);
    EXPECT_EQ(key.sAtomName, "JotwellVisible_jotwell_4242");
    EXPECT_EQ(key.lID, -16384); // atom 0xC000
    EXPECT_EQ(std::tie(key.sName, key.eKey, key.eModifiers), std::make_tuple("JotwellVisible", 86, 1));
    const auto &reg = fake()->registrations().at(0);
    EXPECT_EQ(std::tie(reg.hwnd, reg.id, reg.modifiers, reg.virtualKey), std::make_tuple(Main, -16384, 1, 86));

    fake()->setProgramName(std::string(240, 'x'));
    registry->RegisterKey("Key", 65, 1);
    EXPECT_EQ(registry->key(2).sAtomName, ("Key_" + std::string(240, 'x') + "_4242").substr(0, 254));
    EXPECT_EQ(errorFrom([&] { registry->UnregisterKey("x"); }).source(), std::string(240, 'x') + ".cRegHotKey");
}

TEST_F(RegistryTest, HighAtomsWorkAndTheSystemsSnapshotIdentifiersAreNeverUsed)
{
    for (int i = 0xC000; i <= 0xFFFC; ++i)
        fake()->addAtom("filler" + std::to_string(i));
    registry->RegisterKey("Top", 65, 1); // atom 0xFFFD
    EXPECT_EQ(id(1), -3);
    EXPECT_TRUE(fake()->press(1, 65));
    EXPECT_EQ(presses, (Presses{{"Top", 1, 65}}));

    // Only 0xFFFE (-2) and 0xFFFF (-1) are left, and they are the system's.
    const std::size_t atoms = fake()->atoms().size();
    const HotKeyError error = errorFrom([&] { registry->RegisterKey("Edge", 66, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrAddAtom);
    EXPECT_EQ(error.description(), "Failed to add GlobalAtom [The atom table is full.]");
    EXPECT_EQ(fake()->atoms().size(), atoms);
    EXPECT_EQ(registry->count(), 1);
}

TEST_F(RegistryTest, NamesDifferingOnlyInCaseGetAtomsOfTheirOwn)
{
    registry->RegisterKey("a", 65, 1); // the same tick: the atom names differ only in case
    registry->RegisterKey("A", 66, 1);
    ASSERT_NE(id(1), id(2));
    EXPECT_EQ(registry->key(2).sAtomName, "A_jotwell_4242_1");
    fake()->press(1, 66);
    fake()->press(1, 65);
    EXPECT_EQ(presses, (Presses{{"A", 1, 66}, {"a", 1, 65}}));
    registry->UnregisterKey("A");
    EXPECT_EQ(fake()->atoms().referenceCount(static_cast<std::uint16_t>(id(1))), 1);
}

TEST_F(RegistryTest, RefusalsOfTheSystemLeaveNothingBehindAndCarryItsText)
{
    fake()->takeCombination(1, 86, win32::ERROR_HOTKEY_ALREADY_REGISTERED);
    fake()->setMessageText(win32::ERROR_HOTKEY_ALREADY_REGISTERED, "Hot key is already registered.\r\n");
    HotKeyError error = errorFrom([&] { registry->RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
    EXPECT_EQ(error.description(), "Failed to Register Hot Key [Hot key is already registered.\r\n]");
    EXPECT_EQ(error.systemError(), win32::ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_EQ(error.source(), "jotwell.cRegHotKey");
    fake()->takeCombination(1, 87, 5);
    EXPECT_EQ(errorFrom([&] { registry->RegisterKey("Plain", 87, 1); }).description(), "Failed to Register Hot Key");

    fake()->failNextAtom(win32::ERROR_NOT_ENOUGH_MEMORY);
    fake()->setMessageText(win32::ERROR_NOT_ENOUGH_MEMORY, "Not enough memory.");
    error = errorFrom([&] { registry->RegisterKey("Atomless", 88, 1); });
    EXPECT_EQ(error.number(), -2147220454);
    EXPECT_EQ(error.description(), "Failed to add GlobalAtom [Not enough memory.]");
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(fake()->atoms().size(), 0u);
    EXPECT_TRUE(fake()->registrations().empty());
    registry->RegisterKey("Atomless", 88, 1);
    EXPECT_EQ(registry->count(), 1);
}

TEST_F(RegistryTest, UnregisteringKeepsTheOrderOfTheOthers)
{
    const HotKeyError error = errorFrom([&] { registry->UnregisterKey("A"); });
    EXPECT_EQ(error.number(), -2147220455);
    EXPECT_EQ(error.description(), "No hot key registered under the name 'A'");
    for (const char name : {'A', 'B', 'C', 'D'}) {
        fake()->setTickCount(static_cast<std::uint32_t>(name));
        registry->RegisterKey(std::string(1, name), name, name - 'A' + 1);
    }
    const std::int32_t idA = id(1);
    const std::int32_t idC = id(3);
    registry->UnregisterKey("A");
    registry->UnregisterKey("C");
    EXPECT_EQ(*fake()->released(), (std::vector<std::int32_t>{idA, idC}));
    ASSERT_EQ(registry->count(), 2);
    EXPECT_EQ(registry->key(1).sName + registry->key(2).sName, "BD");
    EXPECT_THROW(registry->key(3), std::out_of_range);
    fake()->press(4, 'D');
    fake()->press(2, 'B');
    EXPECT_FALSE(fake()->press(1, 'A'));
    registry->WindowProc(Main, 786, idA, 1 | ('A' << 16));
    EXPECT_EQ(presses, (Presses{{"D", 4, 'D'}, {"B", 2, 'B'}, {"Unknown HotKey", 1, 'A'}}));

    registry->UnregisterKey("B");
    registry->UnregisterKey("D");
    EXPECT_EQ(fake()->atoms().size(), 0u);
    registry->RegisterKey("B", 'B', 2);
    EXPECT_EQ(id(1), -16384); // the freed atom is handed out again
    EXPECT_TRUE(fake()->press(2, 'B'));
    EXPECT_EQ(presses.back(), (Press{"B", 2, 'B'}));
}

TEST_F(RegistryTest, ClearAttachAndDestructionReleaseLastRegisteredFirst)
{
    registry->Clear();
    registry->Clear();
    EXPECT_TRUE(fake()->released()->empty());
    registry->Attach(Main);
    registry->RegisterKey("A", 65, 1);
    registry->RegisterKey("B", 66, 1);
    const std::vector<std::int32_t> ids{id(2), id(1)};
    registry->Attach(Other);
    EXPECT_EQ(*fake()->released(), ids);
    EXPECT_EQ(registry->count(), 0);
    EXPECT_EQ(fake()->atoms().size(), 0u);
    EXPECT_EQ(registry->attachedWindow(), Other);

    registry->RegisterKey("A", 65, 1);
    EXPECT_EQ(fake()->registrations().at(0).hwnd, Other);
    fake()->press(1, 65);
    EXPECT_EQ(presses, (Presses{{"A", 1, 65}}));

    // Keys registered while detached go to no window and their presses nowhere.
    registry->Attach(0);
    registry->RegisterKey("Detached", 67, 1);
    EXPECT_EQ(fake()->registrations().at(0).hwnd, 0);
    EXPECT_TRUE(fake()->press(1, 67));
    EXPECT_EQ(presses.size(), 1u);

    registry->Attach(Main);
    registry->RegisterKey("X", 88, 1);
    registry->RegisterKey("Y", 89, 1);
    const auto released = fake()->released();
    const std::size_t before = released->size();
    const std::vector<std::int32_t> last{id(2), id(1)};
    registry.reset();
    const auto sinceReset = released->begin() + static_cast<std::ptrdiff_t>(before);
    EXPECT_EQ(std::vector<std::int32_t>(sinceReset, released->end()), last);
}

TEST_F(RegistryTest, WindowProcReportsOnlyHotKeyMessages)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    EXPECT_EQ(registry->WindowProc(Main, 785, id(1), 0), 0);
    EXPECT_EQ(registry->WindowProc(Main, 786, id(1), 0x12340009), 0);
    EXPECT_EQ(registry->WindowProc(Main, 786, -2, 0x00560001), 0);
    EXPECT_EQ(registry->WindowProc(Main, 786, -1, 0x00560001), 0);
    EXPECT_EQ(registry->WindowProc(0, 786, 12345, 0x00560003), 0);
    registry->WindowProc(Main, 786, 7, static_cast<std::int32_t>(0xFFFF0002u));
    EXPECT_EQ(presses, (Presses{{"JotwellVisible", 1, 86}, {"Desktop Snapshot", 0, 44}, {"Window Snapshot", 4, 44},
                                {"Unknown HotKey", 3, 0x56}, {"Unknown HotKey", 2, 0xFFFF}}));
    registry->setMsgResponse(0);
    EXPECT_EQ(registry->MsgResponse(), 2);
}

TEST_F(RegistryTest, HandlerMayChangeTheRegistryWhileItRuns)
{
    registry->RegisterKey("Once", 65, 1);
    registry->RegisterKey("Stay", 66, 1);
    registry->HotKeyPress = [this](const std::string &name, std::int32_t, std::int32_t) {
        presses.push_back({name, 0, 0});
        registry->UnregisterKey(name);
        registry->HotKeyPress = nullptr;
    };
    fake()->press(1, 65);
    EXPECT_EQ(presses, (Presses{{"Once", 0, 0}}));
    EXPECT_EQ(registry->key(1).sName, "Stay");
    registry->HotKeyPress = [this](const std::string &, std::int32_t, std::int32_t) { registry.reset(); };
    EXPECT_TRUE(fake()->press(1, 66));
    EXPECT_EQ(registry, nullptr);
}

TEST(HotKeyText, CutsInUtf16UnitsAndFindsTheProgramName)
{
    EXPECT_EQ(hotkeytext::utf16Prefix("a\xF0\x9F\x98\x80z", 2), "a"); // never half a surrogate pair
    EXPECT_EQ(hotkeytext::utf16Prefix("a\xF0\x9F\x98\x80z", 3), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(hotkeytext::utf16Prefix("\xF4\x80\x80\x80z", 1), "");            // U+100000, two units
    EXPECT_EQ(hotkeytext::utf16Prefix("\xEF\xBC\xA1z", 1), "\xEF\xBC\xA1"); // fullwidth A, one unit
    EXPECT_EQ(hotkeytext::fileStem("C:\\Program Files\\Jotwell Pro\\JOTWELL.EXE"), "JOTWELL");
    EXPECT_EQ(hotkeytext::fileStem("/opt/notes.v2/pad"), "pad");
}

TEST(UnavailableBackend, RefusesWithTheReasonAndGivesTheAtomBack)
{
    auto backend = std::make_unique<UnavailableBackend>("there is no display");
    const UnavailableBackend &seen = *backend;
    cRegHotKey registry(std::move(backend));
    const HotKeyError error = errorFrom([&] { registry.RegisterKey("JotwellVisible", 86, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
    EXPECT_EQ(error.description(), "Failed to Register Hot Key [Global hot keys are not available in this desktop "
                                    "session (there is no display)]");
    EXPECT_EQ(error.source(), "hotkeys_core_tests.cRegHotKey");
    EXPECT_EQ(seen.atoms().size(), 0u);
}

} // namespace
