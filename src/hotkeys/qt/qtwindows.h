#pragma once

#include "hotkeys/qt/qtwindowfunctions.h"

#include <cstdint>

namespace jw {

/// A backend whose window functions act on Qt's windows.
template <typename Backend>
class QtWindows : public Backend {
public:
    using Backend::Backend;

    bool isWindowVisible(std::intptr_t hwnd) override { return qtwindow::isVisible(hwnd); }
    void showWindow(std::intptr_t hwnd, std::int32_t command) override { qtwindow::show(hwnd, command); }
    bool isIconic(std::intptr_t hwnd) override { return qtwindow::isMinimized(hwnd); }
    std::intptr_t sendMessage(std::intptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t) override
    {
        return qtwindow::sendMessage(hwnd, message, wParam);
    }
    bool setForegroundWindow(std::intptr_t hwnd) override { return qtwindow::activate(hwnd); }
};

} // namespace jw
