#pragma once

#include <QString>

namespace jw {

/// What the show/hide hot key does to the windows.
enum class SwapAction {
    None,       ///< not our key
    ShowMain,   ///< show the main window, leave the mini window alone
    HideMain,   ///< hide the main window, leave the mini window alone
    MainToMini, ///< hide the main window and show the mini window
    MiniToMain, ///< show the main window and hide the mini window
};

/// The hot key action for key `sName` ("JotwellVisible", compared exactly):
/// with Hide on Minimize ticked the main window is shown or hidden alone,
/// otherwise the two windows swap.
SwapAction hotKeyAction(const QString &sName, bool hideOnMinimize, bool mainShown);

} // namespace jw
