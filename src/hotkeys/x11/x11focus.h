#pragma once

#include "hotkeys/qt/windowfocus.h"

struct xcb_connection_t;

namespace jw {

/// The keyboard on an X11 desktop, as the window manager's focus-stealing
/// prevention wants it asked for: _NET_WM_USER_TIME on the window and a
/// _NET_ACTIVE_WINDOW message from an application with the user's time. A
/// launcher's startup id gives its time ("..._TIME<n>") and is marked done.
class X11Focus final : public WindowFocus {
public:
    /// Uses the application's `connection`, which outlives this object.
    explicit X11Focus(xcb_connection_t &connection);

    quintptr activeWindow() override;
    void activate(QWindow &window, quint32 time) override;
    bool giveBack(quintptr window, quint32 time) override;
    void useLaunchToken(const QByteArray &token) override;

    /// The user time a startup id carries, 0 when none: "xyz_TIME1234" gives 1234.
    static quint32 startupTime(const QByteArray &startupId);

private:
    quint32 atom(const char *name);
    void requestActive(quint32 window, quint32 source, quint32 time, quint32 current);
    void startupDone(const QByteArray &startupId);

    xcb_connection_t &m_connection;
    quint32 m_root = 0;
    QByteArray m_startupId;
};

} // namespace jw
