#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>

namespace jwtest {

/// Another program on the same display: types keys through XTest and grabs
/// key combinations of its own. Every call waits until the server has it.
class XClient final {
public:
    XClient() { m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root; }
    ~XClient() { xcb_disconnect(m_connection); }
    XClient(const XClient &) = delete;
    XClient &operator=(const XClient &) = delete;

    std::uint8_t keycode(std::uint32_t keysym)
    {
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(m_connection);
        xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const std::uint8_t code = codes ? codes[0] : 0;
        std::free(codes);
        xcb_key_symbols_free(symbols);
        return code;
    }

    // The server stamps events in milliseconds. A person cannot release and
    // press a key within one, but auto-repeat does exactly that, so a press
    // comes 2 ms after whatever came before.
    void press(std::uint32_t keysym) { input(XCB_KEY_PRESS, keysym, 2); }
    void release(std::uint32_t keysym) { input(XCB_KEY_RELEASE, keysym, 0); }

    /// Presses `modifiers` in order, taps `key`, releases the modifiers in reverse.
    void chord(std::initializer_list<std::uint32_t> modifiers, std::uint32_t key)
    {
        for (const std::uint32_t modifier : modifiers)
            press(modifier);
        press(key);
        release(key);
        for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
            release(*it);
    }

    /// Grabs the key with exactly `modifiers` (X masks); false when the server refuses.
    bool grab(std::uint16_t modifiers, std::uint32_t keysym)
    {
        xcb_generic_error_t *error =
            xcb_request_check(m_connection, xcb_grab_key_checked(m_connection, 0, m_root, modifiers, keycode(keysym),
                                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool granted = !error;
        std::free(error);
        return granted;
    }

    /// Maps a top-level window titled `title` that takes the keyboard.
    std::uint32_t openWindow(const char *title)
    {
        const std::uint32_t window = xcb_generate_id(m_connection);
        const std::uint32_t events = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 100, 400, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            static_cast<std::uint32_t>(std::strlen(title)), title);
        const std::uint32_t hints[9] = {1, 1}; // input: this window takes the keyboard
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                            hints);
        xcb_map_window(m_connection, window);
        xcb_flush(m_connection);
        return window;
    }

    /// A click with the first button in the middle of `window`.
    void click(std::uint32_t window)
    {
        xcb_translate_coordinates_reply_t *at = xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, m_root, 20, 20), nullptr);
        if (!at)
            return;
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, 0, m_root, at->dst_x, at->dst_y, 0);
        std::free(at);
        xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, 2, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, 2, XCB_NONE, 0, 0, 0);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    /// From now on, keeps the startup notification messages sent to the root window.
    void watchStartups()
    {
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    /// The startup notification text received so far, messages one after
    /// another, each ended by '|' where its NUL came.
    std::string startups()
    {
        const std::uint32_t begin = atom("_NET_STARTUP_INFO_BEGIN"), more = atom("_NET_STARTUP_INFO");
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE
                && (message->type == begin || message->type == more)) {
                const char *data = reinterpret_cast<const char *>(message->data.data8);
                m_startups.append(data, strnlen(data, 20)).append(strnlen(data, 20) < 20 ? "|" : "");
            }
            std::free(event);
        }
        return m_startups;
    }

    /// The bytes of property `name` of `window` ("" when it has none).
    std::string property(std::uint32_t window, const char *name)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
            nullptr);
        std::string value;
        if (reply)
            value.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                         std::size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
        return value;
    }
    /// A 32-bit property (a window, a time); 0 when it has none.
    std::uint32_t cardinal(std::uint32_t window, const char *name)
    {
        std::uint32_t value = 0;
        std::memcpy(&value, property(window, name).append(4, '\0').data(), 4);
        return value;
    }

private:
    std::uint32_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const std::uint32_t value = reply ? reply->atom : 0;
        std::free(reply);
        return value;
    }

    void input(std::uint8_t type, std::uint32_t keysym, std::uint32_t delay)
    {
        xcb_test_fake_input(m_connection, type, keycode(keysym), delay, XCB_NONE, 0, 0, 0);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t *m_connection = xcb_connect(nullptr, nullptr);
    std::uint32_t m_root = 0;
    std::string m_startups;
};

} // namespace jwtest
