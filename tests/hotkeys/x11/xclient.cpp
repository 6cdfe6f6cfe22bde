#include "xclient.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <iterator>

namespace jw::test {

namespace {

xcb_key_symbols_t *symbolsOf(void *p)
{
    return static_cast<xcb_key_symbols_t *>(p);
}

constexpr std::uint16_t LockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                          XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

} // namespace

XClient::XClient()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_symbols = xcb_key_symbols_alloc(m_connection);
}

XClient::~XClient()
{
    if (m_symbols)
        xcb_key_symbols_free(symbolsOf(m_symbols));
    xcb_disconnect(m_connection);
}

bool XClient::connected() const
{
    return xcb_connection_has_error(m_connection) == 0;
}

std::uint8_t XClient::keycode(std::uint32_t keysym)
{
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbolsOf(m_symbols), keysym);
    std::uint8_t code = codes ? codes[0] : 0;
    std::free(codes);
    return code;
}

void XClient::fake(std::uint8_t type, std::uint32_t keysym, std::uint32_t delayMs)
{
    xcb_test_fake_input(m_connection, type, keycode(keysym), delayMs, XCB_NONE, 0, 0, 0);
    sync();
}

void XClient::press(std::uint32_t keysym)
{
    // The server stamps events in milliseconds. A person cannot release and
    // press a key within one, but auto-repeat does exactly that, so a press
    // is given a moment after whatever came before.
    fake(XCB_KEY_PRESS, keysym, 2);
}

void XClient::release(std::uint32_t keysym)
{
    fake(XCB_KEY_RELEASE, keysym, 0);
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

bool XClient::grab(std::uint16_t modifiers, std::uint32_t keysym)
{
    const xcb_void_cookie_t cookie = xcb_grab_key_checked(m_connection, 0, m_root, modifiers, keycode(keysym),
                                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_generic_error_t *error = xcb_request_check(m_connection, cookie);
    const bool granted = error == nullptr;
    std::free(error);
    return granted;
}

bool XClient::grabAllVariants(std::uint16_t modifiers, std::uint32_t keysym)
{
    bool all = true;
    for (const std::uint16_t variant : LockVariants)
        all = grab(modifiers | variant, keysym) && all;
    return all;
}

void XClient::ungrab(std::uint16_t modifiers, std::uint32_t keysym)
{
    xcb_ungrab_key(m_connection, keycode(keysym), m_root, modifiers);
    sync();
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

} // namespace jw::test
