#pragma once

#include "hotkeys/hotkeybackend.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>

#include <memory>

struct xcb_connection_t;

namespace jw {

/// Global hot keys on an X11 display: each key grabs its combination on the
/// root window with the asked modifiers and every NumLock/CapsLock variant;
/// a combination another client holds is refused at once. The application's
/// events come through a native event filter; a held key counts as one press,
/// reported with the server's time of the key event. One backend per connection.
class X11Backend final : public HotKeyBackend, private QAbstractNativeEventFilter {
public:
    /// Uses `application`'s own `connection`, and lets go of it (the server
    /// drops the grabs) once the application has ended.
    X11Backend(xcb_connection_t &connection, QCoreApplication &application);
    ~X11Backend() override;

    HotKeyAnswer grab(int id, const Request &request) override;
    void release(int id) override;

    /// Number of auto-repeat presses swallowed so far.
    std::uint64_t repeatsSuppressed() const;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    bool connected();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    QPointer<QCoreApplication> m_application;
};

} // namespace jw
