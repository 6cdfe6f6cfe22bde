#pragma once

#include <cstdint>

namespace jw {

/// What RestoreAndActivate needs of the desktop's windows, found by native
/// handle. A handle that names no window reads as hidden and not minimised.
class WindowFunctions {
public:
    virtual ~WindowFunctions() = default;

    /// True when the window is shown.
    virtual bool isVisible(std::intptr_t hwnd) = 0;

    /// Shows the window in its current state.
    virtual void show(std::intptr_t hwnd) = 0;

    /// True when the window is minimised.
    virtual bool isMinimised(std::intptr_t hwnd) = 0;

    /// Brings a minimised window back to the state it had before.
    virtual void restore(std::intptr_t hwnd) = 0;

    /// Raises the window and gives it the keyboard focus.
    virtual void bringToFront(std::intptr_t hwnd) = 0;

protected:
    WindowFunctions() = default;
    WindowFunctions(const WindowFunctions &) = default;
    WindowFunctions &operator=(const WindowFunctions &) = default;
};

} // namespace jw
