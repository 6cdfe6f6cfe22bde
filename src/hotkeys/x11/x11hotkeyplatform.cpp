#include "hotkeys/x11/x11hotkeyplatform.h"

#include "hotkeys/platformerrors.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace jw {

namespace {

// Win32 hot key modifier flags.
constexpr std::int32_t MOD_ALT = 0x1;
constexpr std::int32_t MOD_CONTROL = 0x2;
constexpr std::int32_t MOD_SHIFT = 0x4;
constexpr std::int32_t MOD_WIN = 0x8;
constexpr std::int32_t MOD_NOREPEAT = 0x4000;

// Alt is Mod1, NumLock Mod2 and Super Mod4 on every common keymap.
constexpr std::uint16_t MatchedModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr std::array<std::uint16_t, 4> LockVariants = {
    0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// Longest gap between two presses of a held key that still counts as
// auto-repeat when the server sends no release in between.
constexpr std::uint32_t RepeatWindowMs = 1000;

constexpr std::uint8_t BadAccess = 10;

std::optional<std::uint16_t> modifierMask(std::int32_t modifiers)
{
    if ((modifiers & ~(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN | MOD_NOREPEAT)) != 0)
        return std::nullopt;
    std::uint16_t mask = 0;
    if (modifiers & MOD_ALT)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & MOD_CONTROL)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & MOD_SHIFT)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & MOD_WIN)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// The keysym of the key a Win32 virtual key code stands for (punctuation as
// on a US keyboard), 0 when there is none.
xcb_keysym_t keysymFor(std::int32_t vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<xcb_keysym_t>(XK_a + (vk - 'A'));
    if (vk >= '0' && vk <= '9')
        return static_cast<xcb_keysym_t>(XK_0 + (vk - '0'));
    if (vk >= 0x60 && vk <= 0x69) // VK_NUMPAD0..9
        return static_cast<xcb_keysym_t>(XK_KP_0 + (vk - 0x60));
    if (vk >= 0x70 && vk <= 0x87) // VK_F1..F24
        return static_cast<xcb_keysym_t>(XK_F1 + (vk - 0x70));
    switch (vk) {
    case 0x08: return XK_BackSpace;
    case 0x09: return XK_Tab;
    case 0x0C: return XK_Clear;
    case 0x0D: return XK_Return;
    case 0x13: return XK_Pause;
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x21: return XK_Prior;
    case 0x22: return XK_Next;
    case 0x23: return XK_End;
    case 0x24: return XK_Home;
    case 0x25: return XK_Left;
    case 0x26: return XK_Up;
    case 0x27: return XK_Right;
    case 0x28: return XK_Down;
    case 0x2C: return XK_Print;
    case 0x2D: return XK_Insert;
    case 0x2E: return XK_Delete;
    case 0x5D: return XK_Menu;
    case 0x6A: return XK_KP_Multiply;
    case 0x6B: return XK_KP_Add;
    case 0x6D: return XK_KP_Subtract;
    case 0x6E: return XK_KP_Decimal;
    case 0x6F: return XK_KP_Divide;
    case 0x91: return XK_Scroll_Lock;
    case 0xBA: return XK_semicolon;
    case 0xBB: return XK_plus;
    case 0xBC: return XK_comma;
    case 0xBD: return XK_minus;
    case 0xBE: return XK_period;
    case 0xBF: return XK_slash;
    case 0xC0: return XK_grave;
    case 0xDB: return XK_bracketleft;
    case 0xDC: return XK_backslash;
    case 0xDD: return XK_bracketright;
    case 0xDE: return XK_apostrophe;
    default: return 0;
    }
}

using GrabKey = std::tuple<xcb_connection_t *, xcb_keycode_t, std::uint16_t>;

// The server lets one client grab a combination again without complaint, so
// registrations of all platforms sharing a connection are tracked here.
std::map<GrabKey, const void *> &grabLedger()
{
    static std::map<GrabKey, const void *> ledger;
    return ledger;
}

} // namespace

struct X11HotKeyPlatform::Impl {
    struct Registration {
        std::intptr_t hwnd;
        std::int32_t id;
        std::int32_t modifiers;
        std::int32_t virtualKey;
        std::uint16_t mask;
        std::vector<xcb_keycode_t> keycodes;
    };

    struct Held {
        bool pressed = false;
        bool released = false;
        xcb_timestamp_t lastPress = 0;
        xcb_timestamp_t lastRelease = 0;
    };

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_key_symbols_t *symbols = nullptr;
    std::vector<Registration> registrations;
    std::map<xcb_keycode_t, Held> held;
    std::uint64_t repeats = 0;

    std::vector<xcb_keycode_t> keycodesFor(xcb_keysym_t keysym) const
    {
        std::vector<xcb_keycode_t> codes;
        if (!symbols || keysym == 0)
            return codes;
        xcb_keycode_t *found = xcb_key_symbols_get_keycode(symbols, keysym);
        if (!found)
            return codes;
        for (xcb_keycode_t *code = found; *code != XCB_NO_SYMBOL; ++code) {
            if (std::find(codes.begin(), codes.end(), *code) == codes.end())
                codes.push_back(*code);
        }
        std::free(found);
        return codes;
    }

    void ungrab(const Registration &reg)
    {
        for (const xcb_keycode_t code : reg.keycodes) {
            if (connection) {
                for (const std::uint16_t variant : LockVariants)
                    xcb_ungrab_key(connection, code, root, reg.mask | variant);
            }
            grabLedger().erase({connection, code, reg.mask});
            held.erase(code);
        }
    }

    void forgetLedger(const void *owner)
    {
        std::erase_if(grabLedger(), [&](const auto &entry) {
            return std::get<0>(entry.first) == connection && entry.second == owner;
        });
    }
};

X11HotKeyPlatform::X11HotKeyPlatform(xcb_connection_t *connection)
    : m_impl(std::make_unique<Impl>())
{
    if (!connection || xcb_connection_has_error(connection))
        return;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 0)
        return;
    m_impl->connection = connection;
    m_impl->root = screens.data->root;
    m_impl->symbols = xcb_key_symbols_alloc(connection);
}

X11HotKeyPlatform::~X11HotKeyPlatform()
{
    for (const Impl::Registration &reg : m_impl->registrations)
        m_impl->ungrab(reg);
    if (m_impl->connection)
        xcb_flush(m_impl->connection);
    m_impl->forgetLedger(this);
    if (m_impl->symbols)
        xcb_key_symbols_free(m_impl->symbols);
}

bool X11HotKeyPlatform::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                       std::int32_t virtualKey)
{
    xcb_connection_t *const c = m_impl->connection;
    if (!c) {
        setLastError(platformerror::DisplayClosed);
        return false;
    }
    const std::optional<std::uint16_t> mask = modifierMask(modifiers);
    if (!mask) {
        setLastError(platformerror::InvalidParameter);
        return false;
    }
    const std::vector<xcb_keycode_t> codes = m_impl->keycodesFor(keysymFor(virtualKey));
    if (codes.empty()) {
        setLastError(platformerror::KeyNotOnKeyboard);
        return false;
    }
    for (const xcb_keycode_t code : codes) {
        if (grabLedger().count({c, code, *mask}) != 0) {
            setLastError(platformerror::HotKeyAlreadyRegistered);
            return false;
        }
    }

    // Send every grab first, then collect the answers: one round trip. An
    // unchecked grab would fail silently.
    std::vector<xcb_void_cookie_t> cookies;
    for (const xcb_keycode_t code : codes) {
        for (const std::uint16_t variant : LockVariants) {
            cookies.push_back(xcb_grab_key_checked(c, 0, m_impl->root, *mask | variant, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    std::optional<std::uint8_t> failure;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            if (!failure || error->error_code == BadAccess)
                failure = error->error_code;
            std::free(error);
        }
    }

    Impl::Registration reg{hwnd, id, modifiers, virtualKey, *mask, codes};
    if (failure) {
        // Ungrabbing a combination this client does not hold changes nothing,
        // so releasing all of them undoes exactly the grabs that succeeded.
        m_impl->ungrab(reg);
        xcb_flush(c);
        setLastError(*failure == BadAccess ? platformerror::HotKeyAlreadyRegistered
                                           : platformerror::GrabRefused);
        return false;
    }
    for (const xcb_keycode_t code : codes)
        grabLedger()[{c, code, *mask}] = this;
    m_impl->registrations.push_back(std::move(reg));
    return true;
}

void X11HotKeyPlatform::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    auto &regs = m_impl->registrations;
    const auto found = std::find_if(regs.begin(), regs.end(), [&](const Impl::Registration &r) {
        return r.hwnd == hwnd && r.id == id;
    });
    if (found == regs.end()) {
        setLastError(platformerror::HotKeyNotRegistered);
        return;
    }
    m_impl->ungrab(*found);
    if (m_impl->connection)
        xcb_flush(m_impl->connection);
    regs.erase(found);
}

bool X11HotKeyPlatform::handleEvent(const void *event)
{
    if (!event || !m_impl->connection)
        return false;
    const auto *generic = static_cast<const xcb_generic_event_t *>(event);
    const std::uint8_t type = generic->response_type & ~0x80;

    if (type == XCB_MAPPING_NOTIFY) {
        if (m_impl->symbols) {
            auto *mapping = const_cast<xcb_mapping_notify_event_t *>(
                static_cast<const xcb_mapping_notify_event_t *>(event));
            xcb_refresh_keyboard_mapping(m_impl->symbols, mapping);
        }
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;

    // Press and release events share one layout.
    const auto *key = static_cast<const xcb_key_press_event_t *>(event);
    const auto held = m_impl->held.find(key->detail);

    if (type == XCB_KEY_RELEASE) {
        if (held == m_impl->held.end() || !held->second.pressed)
            return false;
        held->second.pressed = false;
        held->second.released = true;
        held->second.lastRelease = key->time;
        return true;
    }

    if (held != m_impl->held.end()) {
        Impl::Held &state = held->second;
        // Auto-repeat: either presses without releases (detectable auto-repeat)
        // or a release and a press carrying the same time stamp.
        const bool repeatWithoutRelease =
            state.pressed && key->time - state.lastPress <= RepeatWindowMs;
        const bool repeatPair = !state.pressed && state.released && state.lastRelease == key->time;
        if (repeatWithoutRelease || repeatPair) {
            state.pressed = true;
            state.released = false;
            state.lastPress = key->time;
            ++m_impl->repeats;
            return true;
        }
    }

    const std::uint16_t state = key->state & MatchedModifiers;
    for (const Impl::Registration &reg : m_impl->registrations) {
        if (reg.mask != state
            || std::find(reg.keycodes.begin(), reg.keycodes.end(), key->detail) == reg.keycodes.end())
            continue;
        m_impl->held[key->detail] = Impl::Held{true, false, key->time, 0};
        // Copies: the receiver may unregister this very key.
        const std::intptr_t hwnd = reg.hwnd;
        const std::int32_t id = reg.id;
        const std::int32_t modifiers = reg.modifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN);
        const std::int32_t virtualKey = reg.virtualKey;
        deliverHotKey(hwnd, id, modifiers, virtualKey);
        return true;
    }
    return false;
}

void X11HotKeyPlatform::disconnect()
{
    m_impl->forgetLedger(this);
    m_impl->registrations.clear();
    m_impl->held.clear();
    if (m_impl->symbols) {
        xcb_key_symbols_free(m_impl->symbols);
        m_impl->symbols = nullptr;
    }
    m_impl->connection = nullptr;
}

bool X11HotKeyPlatform::isConnected() const
{
    return m_impl->connection != nullptr;
}

std::uint64_t X11HotKeyPlatform::repeatsSuppressed() const
{
    return m_impl->repeats;
}

std::string X11HotKeyPlatform::messageText(std::uint32_t code) const
{
    switch (code) {
    case platformerror::HotKeyAlreadyRegistered:
        return "Hot key is already registered by another program or registration.";
    case platformerror::KeyNotOnKeyboard:
        return "The key is not on the current keyboard layout.";
    case platformerror::DisplayClosed:
        return "The connection to the X display is closed.";
    case platformerror::GrabRefused:
        return "The X server refused to grab the key.";
    default:
        return {};
    }
}

} // namespace jw
