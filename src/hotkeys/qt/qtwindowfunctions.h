#pragma once

#include "hotkeys/windowfunctions.h"

namespace jw {

/// The window functions on this application's own windows, found by native
/// id (QWidget first, then QWindow). Without an application nothing is found.
class QtWindowFunctions final : public WindowFunctions {
public:
    bool isVisible(std::intptr_t hwnd) override;
    void show(std::intptr_t hwnd) override;
    bool isMinimised(std::intptr_t hwnd) override;
    void restore(std::intptr_t hwnd) override;
    void bringToFront(std::intptr_t hwnd) override;
};

} // namespace jw
