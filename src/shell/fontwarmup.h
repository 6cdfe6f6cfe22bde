#pragma once

#include <thread>

namespace jw {

/// Reads the system's font configuration on a second thread while the pad
/// connects to the window system, so that the first text the windows measure
/// does not wait for it. Lives for the run; its end waits for the thread.
class FontWarmUp final {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread m_thread;
};

} // namespace jw
