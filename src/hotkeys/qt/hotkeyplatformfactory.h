#pragma once

#include "hotkeys/ihotkeyplatform.h"

#include <memory>

namespace jw {

/// The hot key backend for the running QGuiApplication: X11 when the
/// platform is "xcb" with a live connection, Win32 on Windows, and otherwise
/// one that refuses every registration with "Global hot keys are not
/// available in this desktop session (<why>)". Call it after the
/// QApplication exists, on the UI thread. Link target `jw_hotkeys_qt`.
///
/// The main window sets up its registry m_cHK (a std::unique_ptr<jw::cRegHotKey>
/// from "hotkeys/creghotkey.h") like this:
///
///     m_cHK = std::make_unique<jw::cRegHotKey>(jw::createHotKeyPlatform());
///     m_cHK->HotKeyPress = [this](const std::string &sName, std::int32_t eModifiers,
///                                 std::int32_t eKey) { m_cHK_HotKeyPress(sName, eModifiers, eKey); };
///     m_cHK->Attach(static_cast<std::intptr_t>(winId()));
///     try {
///         m_cHK->RegisterKey("JotwellVisible", 86, 1); // Alt+V
///     } catch (const jw::HotKeyError &error) {          // "hotkeys/hotkeyerror.h"
///         std::fprintf(stderr, "jotwell: Alt+V is not available: %s\n", error.what());
///     }
///
/// HotKeyPress runs on the UI thread from the event loop. Destroying m_cHK
/// releases every key; that is safe before and after the QApplication is gone.
std::unique_ptr<IHotKeyPlatform> createHotKeyPlatform();

} // namespace jw
