#include "hotkeys/x11/x11backend.h"

#include "hotkeys/win32codes.h"

#include <QByteArrayView>
#include <QCoreApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace jw {

namespace {

using namespace win32;

// Alt is Mod1, NumLock Mod2 and Super Mod4 on every common keymap.
constexpr std::uint16_t MatchedModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr std::array<std::uint16_t, 4> LockVariants = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                       XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// Longest gap between two presses of a held key that still counts as
// auto-repeat when the server sends no release in between.
constexpr std::uint32_t RepeatWindowMs = 1000;
constexpr std::uint8_t BadAccess = 10;

std::optional<std::uint16_t> modifierMask(std::int32_t modifiers)
{
    if ((modifiers & ~(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN | MOD_NOREPEAT)) != 0)
        return std::nullopt;
    std::uint16_t mask = 0;
    mask |= (modifiers & MOD_ALT) ? XCB_MOD_MASK_1 : 0;
    mask |= (modifiers & MOD_CONTROL) ? XCB_MOD_MASK_CONTROL : 0;
    mask |= (modifiers & MOD_SHIFT) ? XCB_MOD_MASK_SHIFT : 0;
    mask |= (modifiers & MOD_WIN) ? XCB_MOD_MASK_4 : 0;
    return mask;
}

// The keysym of the key a virtual key code stands for (punctuation as on a
// US keyboard), 0 when there is none.
xcb_keysym_t keysymFor(std::int32_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return static_cast<xcb_keysym_t>(vk >= 'A' ? XK_a + (vk - 'A') : vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<xcb_keysym_t>(XK_KP_0 + (vk - VK_NUMPAD0));
    if (vk >= VK_F1 && vk <= VK_F24)
        return static_cast<xcb_keysym_t>(XK_F1 + (vk - VK_F1));
    static const std::map<std::int32_t, xcb_keysym_t> named = {{VK_BACK, XK_BackSpace},
                                                               {VK_TAB, XK_Tab},
                                                               {VK_CLEAR, XK_Clear},
                                                               {VK_RETURN, XK_Return},
                                                               {VK_PAUSE, XK_Pause},
                                                               {VK_ESCAPE, XK_Escape},
                                                               {VK_SPACE, XK_space},
                                                               {VK_PRIOR, XK_Prior},
                                                               {VK_NEXT, XK_Next},
                                                               {VK_END, XK_End},
                                                               {VK_HOME, XK_Home},
                                                               {VK_LEFT, XK_Left},
                                                               {VK_UP, XK_Up},
                                                               {VK_RIGHT, XK_Right},
                                                               {VK_DOWN, XK_Down},
                                                               {VK_SNAPSHOT, XK_Print},
                                                               {VK_INSERT, XK_Insert},
                                                               {VK_DELETE, XK_Delete},
                                                               {VK_APPS, XK_Menu},
                                                               {VK_MULTIPLY, XK_KP_Multiply},
                                                               {VK_ADD, XK_KP_Add},
                                                               {VK_SUBTRACT, XK_KP_Subtract},
                                                               {VK_DECIMAL, XK_KP_Decimal},
                                                               {VK_DIVIDE, XK_KP_Divide},
                                                               {VK_SCROLL, XK_Scroll_Lock},
                                                               {VK_OEM_1, XK_semicolon},
                                                               {VK_OEM_PLUS, XK_plus},
                                                               {VK_OEM_COMMA, XK_comma},
                                                               {VK_OEM_MINUS, XK_minus},
                                                               {VK_OEM_PERIOD, XK_period},
                                                               {VK_OEM_2, XK_slash},
                                                               {VK_OEM_3, XK_grave},
                                                               {VK_OEM_4, XK_bracketleft},
                                                               {VK_OEM_5, XK_backslash},
                                                               {VK_OEM_6, XK_bracketright},
                                                               {VK_OEM_7, XK_apostrophe}};
    const auto found = named.find(vk);
    return found == named.end() ? 0 : found->second;
}

} // namespace

struct X11Backend::Impl {
    struct Registration {
        int id;
        std::uint16_t mask;
        std::vector<xcb_keycode_t> keycodes;
    };
    struct Held {
        bool pressed = false;
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
        xcb_keycode_t *found = keysym ? xcb_key_symbols_get_keycode(symbols, keysym) : nullptr;
        for (xcb_keycode_t *code = found; code && *code != XCB_NO_SYMBOL; ++code) {
            if (std::find(codes.begin(), codes.end(), *code) == codes.end())
                codes.push_back(*code);
        }
        std::free(found);
        return codes;
    }

    // Sends every grab first, then collects the answers: one round trip. An
    // unchecked grab would fail silently.
    HotKeyAnswer grab(const Registration &reg)
    {
        std::vector<xcb_void_cookie_t> cookies;
        for (const xcb_keycode_t code : reg.keycodes) {
            for (const std::uint16_t variant : LockVariants)
                cookies.push_back(xcb_grab_key_checked(connection, 0, root, reg.mask | variant, code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
        HotKeyAnswer answer;
        for (const xcb_void_cookie_t cookie : cookies) {
            if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
                if (error->error_code == BadAccess)
                    answer = {HotKeyRefusal::Taken};
                else if (answer.refusal == HotKeyRefusal::None)
                    answer = {HotKeyRefusal::Failed,
                              QCoreApplication::translate("jw::X11Backend", "The X server refused to grab the key.")
                                  .toStdString()};
                std::free(error);
            }
        }
        return answer;
    }

    // Ungrabbing a combination this client does not hold changes nothing, so
    // this also undoes exactly the grabs of a half-failed registration. Waits
    // for the server: another program may take the combination right after.
    void ungrab(const Registration &reg)
    {
        for (const xcb_keycode_t code : reg.keycodes) {
            for (const std::uint16_t variant : LockVariants)
                xcb_ungrab_key(connection, code, root, reg.mask | variant);
            held.erase(code);
        }
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    void disconnect()
    {
        registrations.clear();
        held.clear();
        xcb_key_symbols_free(symbols);
        symbols = nullptr;
        connection = nullptr;
    }

    bool isRepeat(const xcb_key_press_event_t &key, bool release);
    const Registration *match(const xcb_key_press_event_t &key) const;
};

// Auto-repeat comes either as presses without releases (detectable
// auto-repeat) or as a release and a press with the same time stamp.
bool X11Backend::Impl::isRepeat(const xcb_key_press_event_t &key, bool release)
{
    const auto found = held.find(key.detail);
    if (found == held.end())
        return false;
    Held &state = found->second;
    if (release) {
        state = {false, state.lastPress, key.time};
        return true;
    }
    const bool withoutRelease = state.pressed && key.time - state.lastPress <= RepeatWindowMs;
    const bool pair = !state.pressed && state.lastRelease == key.time;
    if (!withoutRelease && !pair)
        return false;
    state = {true, key.time, 0};
    ++repeats;
    return true;
}

const X11Backend::Impl::Registration *X11Backend::Impl::match(const xcb_key_press_event_t &key) const
{
    const std::uint16_t state = key.state & MatchedModifiers;
    for (const Registration &reg : registrations) {
        if (reg.mask == state && std::find(reg.keycodes.begin(), reg.keycodes.end(), key.detail) != reg.keycodes.end())
            return &reg;
    }
    return nullptr;
}

X11Backend::X11Backend(xcb_connection_t &connection, QCoreApplication &application)
    : m_impl(std::make_unique<Impl>()), m_application(&application)
{
    if (xcb_connection_has_error(&connection))
        return;
    m_impl->connection = &connection;
    m_impl->root = xcb_setup_roots_iterator(xcb_get_setup(&connection)).data->root;
    m_impl->symbols = xcb_key_symbols_alloc(&connection);
    application.installNativeEventFilter(this);
}

X11Backend::~X11Backend()
{
    if (connected()) {
        for (const Impl::Registration &reg : m_impl->registrations)
            m_impl->ungrab(reg);
        m_impl->disconnect();
        m_application->removeNativeEventFilter(this);
    }
}

bool X11Backend::connected()
{
    // After the application its connection is closed: never touch it again.
    if (!m_application && m_impl->connection)
        m_impl->disconnect();
    return m_impl->connection != nullptr;
}

HotKeyAnswer X11Backend::grab(int id, const Request &request)
{
    if (!connected())
        return {
            HotKeyRefusal::Failed,
            QCoreApplication::translate("jw::X11Backend", "The connection to the X display is closed.").toStdString()};
    const std::optional<std::uint16_t> mask = modifierMask(request.chord.modifiers);
    if (!mask)
        return {HotKeyRefusal::Invalid};
    Impl::Registration reg{id, *mask, m_impl->keycodesFor(keysymFor(request.chord.key))};
    if (reg.keycodes.empty())
        return {HotKeyRefusal::NotOnKeyboard};
    HotKeyAnswer answer = m_impl->grab(reg);
    if (answer.refusal != HotKeyRefusal::None)
        m_impl->ungrab(reg);
    else
        m_impl->registrations.push_back(std::move(reg));
    return answer;
}

void X11Backend::release(int id)
{
    if (!connected())
        return;
    auto &regs = m_impl->registrations;
    const auto found = std::find_if(regs.begin(), regs.end(), [&](const Impl::Registration &r) { return r.id == id; });
    if (found == regs.end())
        return;
    m_impl->ungrab(*found);
    regs.erase(found);
}

std::uint64_t X11Backend::repeatsSuppressed() const { return m_impl->repeats; }

bool X11Backend::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != QByteArrayView("xcb_generic_event_t") || !connected())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const std::uint8_t type = event->response_type & ~0x80;
    if (type == XCB_MAPPING_NOTIFY) {
        xcb_refresh_keyboard_mapping(m_impl->symbols, static_cast<xcb_mapping_notify_event_t *>(message));
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Press and release events share one layout.
    const auto &key = *static_cast<const xcb_key_press_event_t *>(message);
    if (m_impl->isRepeat(key, type == XCB_KEY_RELEASE))
        return true;
    if (type == XCB_KEY_RELEASE)
        return false;
    const Impl::Registration *reg = m_impl->match(key);
    if (!reg)
        return false;
    m_impl->held[key.detail] = Impl::Held{true, key.time, 0};
    reportPress(reg->id, key.time);
    return true;
}

} // namespace jw
