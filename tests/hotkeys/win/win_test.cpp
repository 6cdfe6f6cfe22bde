// The Win32 backend and the registry on the real system calls (under wine).
#include "../presslog.h"

#include "hotkeys/hotkeyservice.h"
#include "hotkeys/win/winbackend.h"
#include "hotkeys/win/winfunctions.h"

#include <windows.h>

#include <memory>
#include <tuple>

using namespace jw;
using namespace jwtest;

namespace {

// Dispatches the thread's messages, as any message loop does; the router's
// subclass hands WM_HOTKEY to the registry.
void pump()
{
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&msg);
}

// A registry for a window of its own. Without a display wine makes
// message-only windows only; their visibility is their WS_VISIBLE style.
struct Registry {
    Registry()
    {
        registry->Attach(reinterpret_cast<std::intptr_t>(window));
        recordPresses(*registry, presses);
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"pad", WS_OVERLAPPEDWINDOW, 0, 0, 99, 99, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    std::unique_ptr<cRegHotKey> registry = std::make_unique<cRegHotKey>(std::make_unique<WinFunctions>());
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
    for (const auto &[id, to] : {std::pair(key.lID, first.window), {77, first.window}, {key.lID, second.window}})
        PostMessageW(to, WM_HOTKEY, static_cast<WPARAM>(static_cast<INT_PTR>(id)), MAKELPARAM(2, 65));
    PostMessageW(first.window, WM_USER, 0, 0); // the router leaves it to the window
    pump();
    EXPECT_EQ(first.presses, (Presses{{"pad", 1, 86}, {"Unknown HotKey", 2, 65}}));
    EXPECT_EQ(second.presses, (Presses{{"Unknown HotKey", 2, 65}}));

    const DWORD before = GetTickCount();
    const HotKeyError error = errorFrom([&] { second.registry->RegisterKey("Second", 86, 1); });
    EXPECT_EQ(std::make_tuple(error.number(), error.systemError(), error.source()),
              std::make_tuple(cRegHotKey::ErrRegisterRefused, 1409u, "hotkeys_win_tests.cRegHotKey"));
    EXPECT_EQ(error.description(), "Failed to Register Hot Key [" + error.systemText() + "]");
    for (DWORD tick = before; tick <= GetTickCount(); ++tick) // the refused key's atom is gone
        EXPECT_EQ(GlobalFindAtomA(("Second_hotkeys_win_tests_" + std::to_string(tick)).c_str()), 0) << tick;

    first.registry->UnregisterKey("pad");
    EXPECT_EQ(GlobalFindAtomA(key.sAtomName.c_str()), 0);
    EXPECT_NE(GlobalFindAtomA(otherAtom.c_str()), 0);
    first.registry.reset();
    EXPECT_EQ(GlobalFindAtomA(otherAtom.c_str()), 0);
    PostMessageW(first.window, WM_HOTKEY, 77, 0); // detached: nobody hears it
    pump();
    EXPECT_EQ(first.presses.size(), 2u);
    second.registry->RegisterKey("Second", 86, 1);

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

// The backend behind the hot key API: its own window, presses with their
// time, Windows' refusal as a value.
TEST(Win32HotKeys, TheBackendGrabsThroughTheRegistryAndReportsPressesWithTheirTime)
{
    struct Key final : HotKeyService::Client {
        void onPressed(std::uint32_t time) override { times.push_back(time); }
        void onAnswered(const HotKeyAnswer &) override {}
        std::vector<std::uint32_t> times;
    } key, same;
    auto *backend = new WinBackend;
    HotKeyService service{std::unique_ptr<HotKeyBackend>(backend)};
    HotKeyService other{std::make_unique<WinBackend>()};
    const HotKeyBackend::Request altV{"JotwellVisible", "", "Alt+V", {86, 1}};
    EXPECT_EQ(service.take(key, altV), HotKeyAnswer());
    EXPECT_EQ(other.take(same, altV).refusal, HotKeyRefusal::Taken);
    EXPECT_EQ(service.take(key, {"JotwellVisible", "", "Alt+W", {87, 1}}), HotKeyAnswer()); // same name meanwhile
    EXPECT_EQ(other.take(same, altV), HotKeyAnswer());                                      // Alt+V was let go

    const cRegHotKey::tHotKey held = backend->registry().key(1);
    EXPECT_EQ(std::make_tuple(backend->registry().count(), held.sName), std::make_tuple(1, "JotwellVisible#2"));
    const auto window = reinterpret_cast<HWND>(backend->window());
    PostMessageW(window, WM_HOTKEY, static_cast<WPARAM>(static_cast<INT_PTR>(held.lID)), MAKELPARAM(1, 87));
    PostMessageW(window, WM_HOTKEY, 77, MAKELPARAM(1, 87));
    pump();
    ASSERT_EQ(key.times.size(), 1u);
    EXPECT_NE(key.times[0], 0u);
}

} // namespace
