#include "hotkeys/qt/qtx11hotkeyplatform.h"

#include <QByteArrayView>

namespace jw {

QtX11HotKeyPlatform::QtX11HotKeyPlatform(xcb_connection_t *connection, QGuiApplication *application)
    : QtWindows<X11HotKeyPlatform>(connection),
      m_application(application)
{
    if (m_application)
        m_application->installNativeEventFilter(this);
    else
        disconnect();
}

QtX11HotKeyPlatform::~QtX11HotKeyPlatform()
{
    // The base class ungrabs next; after the application the connection is closed.
    followApplication();
    if (m_application)
        m_application->removeNativeEventFilter(this);
}

bool QtX11HotKeyPlatform::registerHotKey(std::intptr_t hwnd, std::int32_t id, std::int32_t modifiers,
                                         std::int32_t virtualKey)
{
    followApplication();
    return X11HotKeyPlatform::registerHotKey(hwnd, id, modifiers, virtualKey);
}

void QtX11HotKeyPlatform::unregisterHotKey(std::intptr_t hwnd, std::int32_t id)
{
    followApplication();
    X11HotKeyPlatform::unregisterHotKey(hwnd, id);
}

bool QtX11HotKeyPlatform::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != QByteArrayView("xcb_generic_event_t"))
        return false;
    return handleEvent(message);
}

void QtX11HotKeyPlatform::followApplication()
{
    if (!m_application && isConnected())
        disconnect();
}

} // namespace jw
