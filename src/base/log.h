#pragma once

#include <QLoggingCategory>

// Where the pad reports what it handled without the user's help. Enable with
// QT_LOGGING_RULES="jotwell.*.debug=true"; warnings show by default.
namespace jw {
Q_DECLARE_LOGGING_CATEGORY(lcFiles)    // jotwell.files: page files, journal, atomic writes
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // jotwell.settings: the settings store
Q_DECLARE_LOGGING_CATEGORY(lcPages)    // jotwell.pages: page list and page switching
Q_DECLARE_LOGGING_CATEGORY(lcHotKeys)  // jotwell.hotkeys: global hot keys
Q_DECLARE_LOGGING_CATEGORY(lcWindows)  // jotwell.windows: windows, dialogs, start-up
} // namespace jw
