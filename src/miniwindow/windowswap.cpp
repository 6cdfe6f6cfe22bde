#include "miniwindow/windowswap.h"

#include "base/settingsnames.h"

namespace jw {

SwapAction hotKeyAction(const QString &sName, bool hideOnMinimize, bool mainShown)
{
    if (sName != kHotKeyName)
        return SwapAction::None;
    if (hideOnMinimize)
        return mainShown ? SwapAction::HideMain : SwapAction::ShowMain;
    return mainShown ? SwapAction::MainToMini : SwapAction::MiniToMain;
}

} // namespace jw
