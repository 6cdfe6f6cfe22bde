#include "hotkeys/x11/x11focus.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <utility>

namespace jw {

namespace {

constexpr quint32 FromApplication = 1;

// The first 32-bit value of `window`'s property `property`, 0 when it has none.
quint32 cardinal(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1), nullptr);
    quint32 value = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&value, xcb_get_property_value(reply), 4);
    std::free(reply);
    return value;
}

} // namespace

X11Focus::X11Focus(xcb_connection_t &connection)
    : m_connection(connection), m_root(xcb_setup_roots_iterator(xcb_get_setup(&connection)).data->root)
{}

quint32 X11Focus::atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        &m_connection, xcb_intern_atom(&m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const quint32 found = reply ? reply->atom : quint32(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

quintptr X11Focus::activeWindow()
{
    return cardinal(&m_connection, m_root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
}

void X11Focus::activate(QWindow &window, quint32 time)
{
    const auto id = static_cast<xcb_window_t>(window.winId());
    const QByteArray startupId = std::exchange(m_startupId, {});
    if (time == 0)
        time = startupTime(startupId);
    if (!startupId.isEmpty())
        xcb_change_property(&m_connection, XCB_PROP_MODE_REPLACE, id, atom("_NET_STARTUP_ID"), atom("UTF8_STRING"), 8,
                            static_cast<std::uint32_t>(startupId.size()), startupId.constData());
    if (time != 0) {
        // Where Qt keeps the user time in a window of its own, the window
        // manager reads it there. Qt writes the last time it saw itself, which
        // misses a key grabbed for the whole desktop.
        const xcb_atom_t userTime = atom("_NET_WM_USER_TIME");
        const xcb_window_t holder = cardinal(&m_connection, id, atom("_NET_WM_USER_TIME_WINDOW"), XCB_ATOM_WINDOW);
        xcb_change_property(&m_connection, XCB_PROP_MODE_REPLACE, holder != 0 ? holder : static_cast<quint32>(id),
                            userTime, XCB_ATOM_CARDINAL, 32, 1, &time);
    }
    requestActive(id, FromApplication, time, 0);
    startupDone(startupId);
    xcb_flush(&m_connection);
}

bool X11Focus::giveBack(quintptr window, quint32 time)
{
    const auto id = static_cast<xcb_window_t>(window);
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(&m_connection, xcb_get_window_attributes(&m_connection, id), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    if (!viewable)
        return false;
    requestActive(id, FromApplication, time, 0);
    xcb_flush(&m_connection);
    return true;
}

void X11Focus::requestActive(quint32 window, quint32 source, quint32 time, quint32 current)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = source;
    event.data.data32[1] = time;
    event.data.data32[2] = current;
    xcb_send_event(&m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}

void X11Focus::useLaunchToken(const QByteArray &token) { m_startupId = token; }

quint32 X11Focus::startupTime(const QByteArray &startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    bool ok = false;
    const quint32 time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

// The launcher shows a busy cursor until the sequence is removed: the
// "remove" message, 20 bytes per client message, ending with its NUL.
void X11Focus::startupDone(const QByteArray &startupId)
{
    if (startupId.isEmpty())
        return;
    QByteArray message = "remove: ID=\"" + QByteArray(startupId).replace('\\', "\\\\").replace('"', "\\\"") + '"';
    message.append('\0');
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = m_root;
    event.type = atom("_NET_STARTUP_INFO_BEGIN");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        std::memset(event.data.data8, 0, 20);
        std::memcpy(event.data.data8, message.constData() + at, std::min<qsizetype>(20, message.size() - at));
        xcb_send_event(&m_connection, 0, m_root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char *>(&event));
        event.type = atom("_NET_STARTUP_INFO");
    }
}

} // namespace jw
