#include "xclient.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <iterator>

namespace jwtest {

XClient::XClient()
    : m_connection(xcb_connect(nullptr, nullptr))
{
    if (!xcb_connection_has_error(m_connection))
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
}

XClient::~XClient()
{
    xcb_disconnect(m_connection);
}

std::uint8_t XClient::keycode(std::uint32_t keysym)
{
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(m_connection);
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const std::uint8_t code = codes ? codes[0] : 0;
    std::free(codes);
    xcb_key_symbols_free(symbols);
    return code;
}

// The server stamps events in milliseconds. A person cannot release and press
// a key within one, but auto-repeat does exactly that, so a press comes 2 ms
// after whatever came before.
void XClient::press(std::uint32_t keysym)
{
    xcb_test_fake_input(m_connection, XCB_KEY_PRESS, keycode(keysym), 2, XCB_NONE, 0, 0, 0);
    sync();
}

void XClient::release(std::uint32_t keysym)
{
    xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, keycode(keysym), 0, XCB_NONE, 0, 0, 0);
    sync();
}

void XClient::chord(std::initializer_list<std::uint32_t> modifiers, std::uint32_t key)
{
    for (const std::uint32_t modifier : modifiers)
        press(modifier);
    press(key);
    release(key);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        release(*it);
}

bool XClient::grab(std::uint16_t modifiers, std::uint32_t keysym, bool allVariants)
{
    bool granted = true;
    const std::uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (const std::uint16_t lock : locks) {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            m_connection, 0, m_root, modifiers | lock, keycode(keysym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t *error = xcb_request_check(m_connection, cookie);
        granted = granted && !error;
        std::free(error);
        if (!allVariants)
            break;
    }
    return granted;
}

std::uint16_t XClient::modifierState()
{
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_root), nullptr);
    const std::uint16_t mask = reply ? reply->mask : 0;
    std::free(reply);
    return mask;
}

void XClient::sync()
{
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

} // namespace jwtest
