#include "hotkeys/qt/hotkeyplatformfactory.h"

#include "hotkeys/win/winbackend.h"

#include <QAbstractNativeEventFilter>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QPointer>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace jw {

namespace {

// WM_HOTKEY messages that Qt takes from the UI thread's queue reach the registry.
class QtWinBackend final : public WinBackend, private QAbstractNativeEventFilter {
public:
    QtWinBackend() : m_application(QCoreApplication::instance())
    {
        if (m_application)
            m_application->installNativeEventFilter(this);
    }
    ~QtWinBackend() override
    {
        if (m_application)
            m_application->removeNativeEventFilter(this);
    }

private:
    // Never eats the message: other registries' windows may want theirs.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType == QByteArrayView("windows_generic_MSG")) {
            const auto *msg = static_cast<const MSG *>(message);
            handleMessage(reinterpret_cast<std::intptr_t>(msg->hwnd), msg->message, msg->wParam, msg->lParam);
        }
        return false;
    }

    QPointer<QCoreApplication> m_application;
};

} // namespace

std::unique_ptr<HotKeyBackend> createHotKeyBackend() { return std::make_unique<QtWinBackend>(); }

} // namespace jw
