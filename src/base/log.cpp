#include "base/log.h"

namespace jw {
Q_LOGGING_CATEGORY(lcFiles, "jotwell.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "jotwell.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPages, "jotwell.pages", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHotKeys, "jotwell.hotkeys", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWindows, "jotwell.windows", QtWarningMsg)
} // namespace jw
