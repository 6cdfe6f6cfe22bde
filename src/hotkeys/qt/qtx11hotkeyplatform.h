#pragma once

#include "hotkeys/qt/qtwindows.h"
#include "hotkeys/x11/x11hotkeyplatform.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>

namespace jw {

/// The X11 backend inside a Qt application: the connection's events come
/// through a native event filter (the message router's input) on the UI
/// thread, and the window functions act on Qt's windows. Once the
/// application is gone the connection is never touched again.
class QtX11HotKeyPlatform final : public QtWindows<X11HotKeyPlatform>,
                                  private QAbstractNativeEventFilter {
public:
    /// `connection` must be `application`'s own.
    QtX11HotKeyPlatform(xcb_connection_t *connection, QGuiApplication *application);
    ~QtX11HotKeyPlatform() override;

    bool registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                        std::int32_t virtualKey) override;
    void unregisterHotKey(std::intptr_t hwnd, std::int32_t id) override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    /// Lets go of the connection when the application that owns it has ended.
    void followApplication();

    QPointer<QGuiApplication> m_application;
};

} // namespace jw
