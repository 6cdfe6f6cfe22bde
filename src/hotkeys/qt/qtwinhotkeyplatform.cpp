#include "hotkeys/qt/qtwinhotkeyplatform.h"

#include <QByteArrayView>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace jw {

QtWinHotKeyPlatform::QtWinHotKeyPlatform()
    : m_application(QCoreApplication::instance())
{
    if (m_application)
        m_application->installNativeEventFilter(this);
}

QtWinHotKeyPlatform::~QtWinHotKeyPlatform()
{
    if (m_application)
        m_application->removeNativeEventFilter(this);
}

bool QtWinHotKeyPlatform::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result)
{
    if (eventType != QByteArrayView("windows_generic_MSG"))
        return false;
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY)
        return false;
    if (!dispatch(reinterpret_cast<std::intptr_t>(msg->hwnd), msg->message, msg->wParam, msg->lParam))
        return false;
    if (result)
        *result = 0;
    return true;
}

} // namespace jw
