#pragma once

#include "hotkeys/win/winhotkeyplatform.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>

namespace jw {

/// The Win32 backend inside a Qt application: WM_HOTKEY messages taken from
/// the UI thread's queue by Qt reach the attached registry.
class QtWinHotKeyPlatform final : public WinHotKeyPlatform, private QAbstractNativeEventFilter {
public:
    QtWinHotKeyPlatform();
    ~QtWinHotKeyPlatform() override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    QPointer<QCoreApplication> m_application;
};

} // namespace jw
