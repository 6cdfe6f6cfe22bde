#pragma once

#include <string>
#include <sys/types.h>

namespace jwtest {

/// A private X server for one test program: Xvfb on a display number it picks
/// itself, optionally managed by openbox. Both end with this object, and with
/// the test program should it die first.
class Xvfb final {
public:
    Xvfb() = default;
    ~Xvfb();
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;

    /// Starts the server, waits until it takes clients, and points DISPLAY
    /// and QT_QPA_PLATFORM (xcb) at it. False, with the reason in `error`,
    /// when it does not come up within 30 s.
    bool start(std::string &error);

    /// Starts openbox and waits until it manages the screen.
    bool startWindowManager(std::string &error);

    /// Ends the window manager and the server and waits for both.
    void stop();

private:
    pid_t m_server = -1;
    pid_t m_windowManager = -1;
};

} // namespace jwtest
