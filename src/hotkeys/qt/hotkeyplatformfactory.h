#pragma once

#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeybackend.h"

#include <QLoggingCategory>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcHotKeys)

namespace jw {

/// The hot key backend for the running QGuiApplication: X11 when the
/// platform is "xcb" with a live connection, Win32 on Windows, and otherwise
/// one that refuses every registration with "Global hot keys are not
/// available in this desktop session (<why>)". Call it on the UI thread
/// after the application exists.
std::unique_ptr<HotKeyBackend> createHotKeyBackend();

/// A registry on that backend whose RestoreAndActivate acts on Qt's windows.
/// It may outlive the application. Link target `jw_hotkeys_qt`.
std::unique_ptr<cRegHotKey> createHotKeyRegistry();

} // namespace jw
