#pragma once

#include "hotkeys/windowfunctions.h"

namespace jw {

/// The window functions on real HWNDs.
class WinWindowFunctions final : public WindowFunctions {
public:
    bool isVisible(std::intptr_t hwnd) override;
    void show(std::intptr_t hwnd) override;
    bool isMinimised(std::intptr_t hwnd) override;
    void restore(std::intptr_t hwnd) override;
    void bringToFront(std::intptr_t hwnd) override;
};

} // namespace jw
