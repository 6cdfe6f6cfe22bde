#pragma once

#include <string>
#include <sys/types.h>

namespace jw::test {

/// A private Xvfb on a display number it picks itself (-displayfd).
class XvfbServer final {
public:
    XvfbServer() = default;
    ~XvfbServer();

    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    /// Starts the server and waits until it accepts connections; false with
    /// a reason in `error` when it does not come up within 20 s.
    bool start(std::string &error);

    /// Ends the server and waits for it.
    void stop();

    /// The display name, e.g. ":3".
    const std::string &display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

} // namespace jw::test
