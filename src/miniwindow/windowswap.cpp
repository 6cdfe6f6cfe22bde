#include "miniwindow/windowswap.h"

namespace jw {

SwapAction hotKeyAction(const QString &sName, bool hideOnMinimize, bool mainShown)
{
    if (sName != QLatin1StringView("JotwellVisible"))
        return SwapAction::None;
    if (hideOnMinimize)
        return mainShown ? SwapAction::HideMain : SwapAction::ShowMain;
    return mainShown ? SwapAction::MainToMini : SwapAction::MiniToMain;
}

} // namespace jw
