// The Windows registry's rules on a fake of Windows' functions.
#include "presslog.h"

#include "hotkeys/fake/atomtable.h"
#include "hotkeys/fake/fakewin32.h"
#include "hotkeys/win/hotkeytext.h"
#include "hotkeys/win32codes.h"

#include <functional>
#include <optional>
#include <memory>
#include <tuple>

using namespace jw;
using namespace jwtest;

namespace {

constexpr std::intptr_t Main = 0x4A0012;
constexpr std::intptr_t Other = 0x4A0077;

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
    {
        recordPresses(*registry, presses);
        registry->Attach(Main);
    }
    std::int32_t id(int index) const { return registry->key(index).lID; }

    FakeWin32 *fake = new FakeWin32;
    std::unique_ptr<cRegHotKey> registry = std::make_unique<cRegHotKey>(std::unique_ptr<Win32Functions>(fake));
    Presses presses;
};

// Every refusal says why and leaves the registry and the desktop as they were.
TEST_F(RegistryTest, RefusalsSayWhyAndChangeNothing)
{
    const std::string tooLong = "Key Name too long (max 32 characters).";
    const std::string umlauts = "\xC3\xA4\xC3\xA4"; // four bytes, two UTF-16 units
    registry->RegisterKey(std::string(32, 'n'), 'A', 2);
    registry->RegisterKey(std::string(30, 'n') + umlauts, 'B', 2);
    registry->RegisterKey("", 'C', 2);
    registry->RegisterKey("JotwellVisible", 'V', 1);
    fake->takeCombination(1, 'T', 6);
    fake->setMessageText(1409, "Hot key is already registered.\r\n");
    const auto add = [this](const std::string &name, std::int32_t key) {
        return [=, this] { registry->RegisterKey(name, key, 1); };
    };
    using R = cRegHotKey;
    const struct {
        std::function<void()> act;
        std::int32_t number;
        std::string description;
        std::uint32_t systemError;
        std::function<void()> prepare = {};
    } cases[] = {
        {add(std::string(33, 'n'), 'D'), R::ErrNameTooLong, tooLong, 0},
        {add(std::string(31, 'n') + umlauts, 'D'), R::ErrNameTooLong, tooLong, 0},
        {add("JotwellVisible", 'W'), R::ErrNameTaken, "The Key Name 'JotwellVisible' is already registered.", 0},
        {add("Second", 'V'), R::ErrRegisterRefused, "Failed to Register Hot Key [Hot key is already registered.\r\n]",
         1409},
        {add("Taken", 'T'), R::ErrRegisterRefused, "Failed to Register Hot Key", 6},
        {add("Atomless", 'D'), R::ErrAddAtom, "Failed to add GlobalAtom [Access is denied.]", 5,
         [this] { fake->failNextAtom(5), fake->setMessageText(5, "Access is denied."); }},
        {[this] { registry->UnregisterKey("jotwellvisible"); }, R::ErrNotRegistered,
         "No hot key registered under the name 'jotwellvisible'", 0},
        // The last free atoms, 0xFFFE and 0xFFFF, are the system's identifiers -2 and -1.
        {add("Edge", 'D'), R::ErrAddAtom, "Failed to add GlobalAtom", 8,
         [this] {
             for (int n = 0; fake->addAtom("filler" + std::to_string(n)) < 0xFFFD; ++n) {
             }
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.description);
        if (c.prepare)
            c.prepare();
        const auto before = std::make_tuple(registry->count(), fake->atoms().size(), fake->registrations().size());
        const HotKeyError error = errorFrom(c.act);
        EXPECT_EQ(std::make_tuple(error.number(), error.description(), error.systemError(), error.source()),
                  std::make_tuple(c.number, c.description, c.systemError, "jotwell.cRegHotKey"));
        EXPECT_EQ(std::make_tuple(registry->count(), fake->atoms().size(), fake->registrations().size()), before);
    }
}

TEST_F(RegistryTest, AtomIsNameProgramAndTicksAndItsSignWidenedValueIsTheIdentifier)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    const cRegHotKey::tHotKey &key = registry->key(1);
    EXPECT_EQ(std::tie(key.sName, key.sAtomName, key.lID, key.eKey, key.eModifiers),
              std::make_tuple("JotwellVisible", "JotwellVisible_jotwell_4242", -16384, 86, 1));
    const auto &reg = fake->registrations().at(0);
    EXPECT_EQ(std::tie(reg.hwnd, reg.id, reg.modifiers, reg.virtualKey), std::make_tuple(Main, -16384, 1, 86));

    // Atom names ignore case: a name differing only in case needs an atom of its own.
    registry->RegisterKey("jotwellvisible", 87, 1);
    EXPECT_EQ(std::tie(registry->key(2).sAtomName, registry->key(2).lID),
              std::make_tuple("jotwellvisible_jotwell_4242_1", -16383));
    fake->press(1, 87);
    fake->press(1, 86);
    EXPECT_EQ(presses, (Presses{{"jotwellvisible", 1, 87}, {"JotwellVisible", 1, 86}}));
    registry->UnregisterKey("jotwellvisible");
    EXPECT_EQ(std::make_tuple(fake->atoms().size(), fake->atoms().referenceCount(0xC000)), std::make_tuple(1u, 1));

    // Atom names are cut to 254 UTF-16 units, keeping a later attempt's suffix.
    fake->setProgramName(std::string(250, 'x'));
    std::string atomName = "Key_" + std::string(250, 'x') + "_4242";
    registry->RegisterKey("Key", 65, 1);
    registry->RegisterKey("KEY", 66, 1);
    EXPECT_EQ(registry->key(2).sAtomName, atomName.substr(0, 254));
    EXPECT_EQ(registry->key(3).sAtomName, atomName.replace(0, 3, "KEY").substr(0, 252) + "_1");
    EXPECT_EQ(errorFrom([&] { registry->UnregisterKey("x"); }).source(), std::string(250, 'x') + ".cRegHotKey");
}

TEST_F(RegistryTest, KeysAreReleasedSinglyInAnyOrderAndAllLastRegisteredFirst)
{
    EXPECT_THROW(registry->UnregisterKey("A"), HotKeyError);
    for (const char name : {'A', 'B', 'C', 'D'})
        registry->RegisterKey(std::string(1, name), name, name - 'A' + 1);
    std::vector<std::int32_t> released{id(1), id(3), id(4), id(2)};
    registry->UnregisterKey("A");
    registry->UnregisterKey("C");
    ASSERT_EQ(registry->count(), 2);
    EXPECT_EQ(registry->key(1).sName + registry->key(2).sName, "BD");
    EXPECT_THROW(registry->key(0), std::out_of_range);
    EXPECT_THROW(registry->key(3), std::out_of_range);
    EXPECT_FALSE(fake->press(1, 'A'));
    fake->press(4, 'D');
    fake->press(2, 'B');
    registry->Attach(Other);
    EXPECT_EQ(fake->send(Main, 786, 0, 0), std::nullopt); // the old window is no longer routed here
    EXPECT_EQ(*fake->released(), released);
    EXPECT_EQ(std::make_tuple(registry->count(), fake->atoms().size(), registry->attachedWindow()),
              std::make_tuple(0, 0u, Other));
    registry->RegisterKey("E", 'E', 1);
    EXPECT_EQ(std::tie(fake->registrations().at(0).hwnd, fake->registrations().at(0).id),
              std::make_tuple(Other, -16384)); // the lowest freed atom is handed out again
    fake->press(1, 'E');
    EXPECT_EQ(presses, (Presses{{"D", 4, 'D'}, {"B", 2, 'B'}, {"E", 1, 'E'}}));

    // Keys registered while detached go to no window and their presses nowhere.
    registry->Attach(0);
    registry->RegisterKey("Detached", 'F', 1);
    registry->RegisterKey("Last", 'G', 1);
    EXPECT_EQ(fake->registrations().at(0).hwnd, 0);
    EXPECT_TRUE(fake->press(1, 'F'));
    EXPECT_EQ(presses.size(), 3u);
    EXPECT_EQ(fake->send(Other, 786, 0, 0), std::nullopt);
    released = {id(2), id(1)};
    const auto releasedNow = fake->released();
    registry.reset();
    EXPECT_EQ(std::vector<std::int32_t>(releasedNow->end() - 2, releasedNow->end()), released);
}

TEST_F(RegistryTest, WindowProcReportsOnlyHotKeyMessagesToAHandlerThatMayEndTheRegistry)
{
    registry->RegisterKey("JotwellVisible", 86, 1);
    EXPECT_EQ(registry->WindowProc(Main, 785, id(1), 0), 0);
    EXPECT_EQ(fake->send(Main, 785, id(1), 0), std::nullopt); // the router delivers WM_HOTKEY only
    EXPECT_EQ(fake->send(Main, 786, id(1), 0x12340009), 0);
    EXPECT_EQ(fake->send(Main, 786, -2, 0x00560001), 0);
    EXPECT_EQ(registry->WindowProc(Main, 786, -1, 0x00560001), 0);
    EXPECT_EQ(registry->WindowProc(0, 786, 12345, 0x00560003), 0);
    registry->WindowProc(Main, 786, 7, static_cast<std::int32_t>(0xFFFF0002u));
    EXPECT_EQ(registry->MsgResponse(), 2);
    registry->setMsgResponse(1);
    EXPECT_EQ(registry->MsgResponse(), 2);
    EXPECT_EQ(presses, (Presses{{"JotwellVisible", 1, 86},
                                {"Desktop Snapshot", 0, 44},
                                {"Window Snapshot", 4, 44},
                                {"Unknown HotKey", 3, 0x56},
                                {"Unknown HotKey", 2, 0xFFFF}}));
    // The handler may end the registry while it runs.
    registry->HotKeyPress = [this](const std::string &, std::int32_t, std::int32_t) { registry.reset(); };
    EXPECT_TRUE(fake->press(1, 86));
    EXPECT_EQ(registry, nullptr);
}

TEST(HotKeyText, CountsAndCutsInUtf16UnitsFindsTheProgramNameAndTheAtomTableRunsTo0xFFFF)
{
    const std::string smiley = "\xF0\x9F\x98\x80"; // two units
    // The text, its length in UTF-16 units, a cut and what is left before it.
    const std::tuple<std::string, std::size_t, std::size_t, std::string> cases[] = {
        {"a" + smiley + "z", 4, 2, "a"}, // never half a surrogate pair
        {"a" + smiley + "z", 4, 3, "a" + smiley},
        {"\xF4\x80\x80\x80z", 3, 1, ""},                    // U+100000
        {"\xEF\xBC\xA1\xE0\xA4\x85", 2, 1, "\xEF\xBC\xA1"}, // fullwidth A, one unit
        {"\xC1\x81\xC2\x81\xC3", 4, 3, "\xC1\x81\xC2\x81"}, // bytes outside UTF-8 and a cut-off lead count one each
        {"\xF5\x80\xE2\x82z", 5, 2, "\xF5\x80"},
    };
    for (const auto &[text, units, cut, prefix] : cases) {
        EXPECT_EQ(hotkeytext::utf16Length(text), units) << text;
        EXPECT_EQ(hotkeytext::utf16Prefix(text, cut), prefix) << text;
    }
    EXPECT_EQ(hotkeytext::asciiLower("AZaz@[\xC3\x84"), "azaz@[\xC3\x84");
    EXPECT_EQ(hotkeytext::fileStem("C:\\Program Files\\Jotwell Pro\\JOTWELL.EXE") + '|'
                  + hotkeytext::fileStem("/opt/notes.v2/pad") + '|' + hotkeytext::fileStem("/home/me/.pad"),
              "JOTWELL|pad|.pad");
    // The fake's atom table: atoms run to 0xFFFF, and a removed name is gone with its atom.
    AtomTable table;
    std::uint32_t error = 0;
    std::uint16_t last = 0;
    for (int n = 0; error == 0; ++n)
        if (const std::uint16_t atom = table.add("a" + std::to_string(n), error))
            last = atom;
    EXPECT_EQ(std::pair(last, error), std::pair(std::uint16_t(0xFFFF), win32::ERROR_NOT_ENOUGH_MEMORY));
    table.remove(0xC005); // "a5"
    EXPECT_EQ(table.add("other", error), 0xC005);
    EXPECT_EQ(table.add("A5", error), 0); // full again, not found under the atom it had
}

} // namespace
