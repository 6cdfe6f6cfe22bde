// The Win32 backend and window functions on the real system calls (under wine).
#include "../presslog.h"

#include "hotkeys/win/winbackend.h"
#include "hotkeys/win/winwindowfunctions.h"

#include <windows.h>

#include <memory>
#include <tuple>

using namespace jw;
using namespace jwtest;

namespace {

// A registry for a window of its own. Without a display wine makes
// message-only windows only; their visibility is their WS_VISIBLE style.
struct Registry {
    Registry()
    {
        registry->Attach(reinterpret_cast<std::intptr_t>(window));
        recordPresses(*registry, presses);
    }
    // Hands the thread's messages to the backend, as Qt's event filter does; returns how many it took.
    int pump()
    {
        int taken = 0;
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            taken +=
                backend->handleMessage(reinterpret_cast<std::intptr_t>(msg.hwnd), msg.message, msg.wParam, msg.lParam);
        return taken;
    }

    HWND window = CreateWindowExW(0, L"STATIC", L"pad", WS_OVERLAPPEDWINDOW, 0, 0, 99, 99, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    WinBackend *backend = new WinBackend;
    std::unique_ptr<cRegHotKey> registry =
        std::make_unique<cRegHotKey>(std::unique_ptr<HotKeyBackend>(backend), std::make_unique<WinWindowFunctions>());
    Presses presses;
};

TEST(Win32HotKeys, KeysHoldGlobalAtomsAndTheirCombinationUntilReleasedAndWindowsComeBack)
{
    Registry first, second;
    first.registry->RegisterKey("pad", 86, 1);
    first.registry->RegisterKey("PAD", 87, 1); // atom names ignore case: these need atoms of their own
    const cRegHotKey::tHotKey key = first.registry->key(1);
    const std::string otherAtom = first.registry->key(2).sAtomName;
    EXPECT_TRUE(key.lID >= -16384 && key.lID < 0) << key.lID; // atoms 0xC000 and up, sign-widened
    EXPECT_NE(key.lID, first.registry->key(2).lID);
    EXPECT_EQ(GlobalFindAtomA(key.sAtomName.c_str()), static_cast<ATOM>(key.lID));
    EXPECT_EQ(key.sAtomName.rfind("pad_hotkeys_win_tests_", 0), 0u) << key.sAtomName;

    // As the system posts them: the identifier sign-extended, Control+A in lParam.
    for (const auto &[id, to] : {std::pair(key.lID, first.window), {77, first.window}, {key.lID, HWND{}}})
        PostMessageW(to, WM_HOTKEY, static_cast<WPARAM>(static_cast<INT_PTR>(id)), MAKELPARAM(2, 65));
    PostMessageW(first.window, WM_USER, 0, 0); // left to the window
    EXPECT_EQ(first.pump(), 3);
    EXPECT_EQ(first.presses, (Presses{{"pad", 1, 86}, {"Unknown HotKey", 2, 65}}));

    const DWORD before = GetTickCount();
    const HotKeyError error = errorFrom([&] { second.registry->RegisterKey("Second", 86, 1); });
    EXPECT_EQ(std::make_tuple(error.number(), error.systemError(), error.source()),
              std::make_tuple(cRegHotKey::ErrRegisterRefused, 1409u, "hotkeys_win_tests.cRegHotKey"));
    EXPECT_EQ(error.description().rfind("Failed to Register Hot Key [", 0), 0u) << error.description();
    for (DWORD tick = before; tick <= GetTickCount(); ++tick) // the refused key's atom is gone
        EXPECT_EQ(GlobalFindAtomA(("Second_hotkeys_win_tests_" + std::to_string(tick)).c_str()), 0) << tick;

    first.registry->UnregisterKey("pad");
    EXPECT_EQ(GlobalFindAtomA(key.sAtomName.c_str()), 0);
    EXPECT_NE(GlobalFindAtomA(otherAtom.c_str()), 0);
    first.registry.reset();
    EXPECT_EQ(GlobalFindAtomA(otherAtom.c_str()), 0);
    second.registry->RegisterKey("Second", 86, 1);
    second.registry->RegisterKey("Now free", 87, 1);

    const auto shown = [&] { return (GetWindowLongW(second.window, GWL_STYLE) & WS_VISIBLE) != 0; };
    const auto handle = reinterpret_cast<std::intptr_t>(second.window);
    ASSERT_FALSE(shown());
    second.registry->RestoreAndActivate(handle);
    EXPECT_TRUE(shown());
    ShowWindow(second.window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(second.window));
    second.registry->RestoreAndActivate(handle);
    EXPECT_FALSE(IsIconic(second.window));
}

} // namespace
