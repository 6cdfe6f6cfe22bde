// The Win32 backend and window functions on the real system calls (under wine).
#include "../presslog.h"

#include "hotkeys/win/winbackend.h"
#include "hotkeys/win/winwindowfunctions.h"

#include <windows.h>

#include <memory>

using namespace jw;
using namespace jwtest;

namespace {

// Notes every atom it creates, in a list that outlives it.
class RecordingBackend final : public WinBackend {
public:
    std::uint16_t addAtom(const std::string &name) override
    {
        const std::uint16_t atom = WinBackend::addAtom(name);
        atoms->push_back(atom);
        return atom;
    }
    std::shared_ptr<std::vector<std::uint16_t>> atoms = std::make_shared<std::vector<std::uint16_t>>();
};

struct Registry {
    explicit Registry(const wchar_t *windowName, DWORD style = 0)
        : window(CreateWindowExW(0, L"STATIC", windowName, style, 0, 0, 99, 99, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr))
    {
        registry->Attach(reinterpret_cast<std::intptr_t>(window));
        recordPresses(*registry, presses);
    }
    ~Registry()
    {
        registry.reset();
        DestroyWindow(window);
    }
    // Hands the thread's messages to the backend, as Qt's event filter does.
    void pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            backend->handleMessage(reinterpret_cast<std::intptr_t>(msg.hwnd), msg.message, msg.wParam, msg.lParam);
            DispatchMessageW(&msg);
        }
    }
    // As the system posts it: the identifier sign-extended, Control+A in lParam.
    void post(std::int32_t id, HWND to)
    {
        PostMessageW(to, WM_HOTKEY, static_cast<WPARAM>(static_cast<INT_PTR>(id)), MAKELPARAM(2, 65));
    }

    HWND window;
    RecordingBackend *backend = new RecordingBackend;
    std::shared_ptr<std::vector<std::uint16_t>> atoms = backend->atoms;
    std::unique_ptr<cRegHotKey> registry =
        std::make_unique<cRegHotKey>(std::unique_ptr<HotKeyBackend>(backend), std::make_unique<WinWindowFunctions>());
    Presses presses;
};

bool atomExists(std::uint16_t atom)
{
    wchar_t name[256];
    return GlobalGetAtomNameW(atom, name, 256) != 0;
}

TEST(Win32HotKeys, KeyHasAGlobalAtomAndTheWindowsMessagesReachTheHandler)
{
    Registry first(L"first");
    first.registry->RegisterKey("JotwellVisible", 86, 1);
    const cRegHotKey::tHotKey &key = first.registry->key(1);
    EXPECT_TRUE(key.lID >= -16384 && key.lID <= -1) << key.lID; // atoms 0xC000 and up, sign-widened
    char name[256];
    ASSERT_NE(GlobalGetAtomNameA(static_cast<ATOM>(key.lID), name, 256), 0u);
    EXPECT_EQ(name, key.sAtomName);
    EXPECT_EQ(key.sAtomName.rfind("JotwellVisible_hotkeys_win_tests_", 0), 0u) << key.sAtomName;

    first.post(key.lID, first.window);
    first.post(77, first.window);
    first.post(key.lID, nullptr); // a message of no window
    first.pump();
    EXPECT_EQ(first.presses, (Presses{{"JotwellVisible", 1, 86}, {"Unknown HotKey", 2, 65}}));
    EXPECT_EQ(errorFrom([&] { first.registry->UnregisterKey("x"); }).source(), "hotkeys_win_tests.cRegHotKey");
}

TEST(Win32HotKeys, ACombinationHasOneOwnerUntilReleasedAndNoAtomOutlivesItsKey)
{
    Registry first(L"first");
    Registry second(L"second");
    first.registry->RegisterKey("pad", 86, 1);
    first.registry->RegisterKey("PAD", 87, 1); // atom names ignore case: these need atoms of their own
    ASSERT_NE(first.registry->key(1).lID, first.registry->key(2).lID);
    const HotKeyError error = errorFrom([&] { second.registry->RegisterKey("Second", 86, 1); });
    EXPECT_EQ(error.number(), cRegHotKey::ErrRegisterRefused);
    EXPECT_EQ(error.systemError(), 1409u); // ERROR_HOTKEY_ALREADY_REGISTERED
    EXPECT_EQ(error.description().rfind("Failed to Register Hot Key [", 0), 0u) << error.description();
    ASSERT_EQ(second.atoms->size(), 1u);
    EXPECT_FALSE(atomExists(second.atoms->front()));

    first.registry->UnregisterKey("pad");
    EXPECT_TRUE(atomExists(static_cast<std::uint16_t>(first.registry->key(1).lID)));
    first.registry.reset();
    for (const std::uint16_t atom : *first.atoms)
        EXPECT_FALSE(atomExists(atom)) << atom;
    second.registry->RegisterKey("Second", 86, 1);
    second.registry->RegisterKey("Now free", 87, 1);
}

TEST(Win32HotKeys, RestoreAndActivateShowsAndRestoresTheWindow)
{
    // Without a display wine makes message-only windows only; their own
    // visibility is the WS_VISIBLE style, as their parent is never shown.
    Registry pad(L"pad", WS_OVERLAPPEDWINDOW);
    const auto shown = [&] { return (GetWindowLongW(pad.window, GWL_STYLE) & WS_VISIBLE) != 0; };
    ASSERT_FALSE(shown());
    pad.registry->RestoreAndActivate(reinterpret_cast<std::intptr_t>(pad.window));
    EXPECT_TRUE(shown());
    ShowWindow(pad.window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(pad.window));
    pad.registry->RestoreAndActivate(reinterpret_cast<std::intptr_t>(pad.window));
    EXPECT_FALSE(IsIconic(pad.window));
    EXPECT_TRUE(shown());
}

} // namespace
