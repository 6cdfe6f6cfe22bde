#include "support/xvfb.h"

#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace jwtest {

namespace {

constexpr auto StartTimeout = std::chrono::seconds(30);

// Starts `args` with its output discarded; the child inherits the open
// descriptors and is killed when this process ends.
pid_t spawn(std::vector<std::string> args)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int devNull = open("/dev/null", O_RDWR);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        dup2(devNull, fd);
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void end(pid_t &pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid = -1;
}

// Reads the display number Xvfb writes once it takes clients.
std::string readDisplayNumber(int fd)
{
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    while (number.find('\n') == std::string::npos) {
        using std::chrono::milliseconds;
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || (poll(&ready, 1, static_cast<int>(left.count())) <= 0 && errno != EINTR))
            return {};
        char buffer[16];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        number.append(buffer, static_cast<std::size_t>(got));
    }
    return number.substr(0, number.find('\n'));
}

// True once a window manager frames windows: a probe window mapped now is
// reparented. Its announcement on the root window comes earlier, while a
// window mapped at that moment can still be missed.
bool windowManagerFrames(xcb_connection_t *c, xcb_window_t root, std::chrono::steady_clock::time_point deadline)
{
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, probe);
    xcb_flush(c);
    bool framed = false;
    while (!framed && std::chrono::steady_clock::now() < deadline) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, probe), nullptr);
        framed = tree && tree->parent != root;
        std::free(tree);
        if (!framed)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    return framed;
}

} // namespace

Xvfb::~Xvfb()
{
    stop();
}

bool Xvfb::start(std::string &error)
{
    int fds[2];
    if (pipe(fds) != 0) {
        error = std::strerror(errno);
        return false;
    }
    m_server = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten",
                      "tcp", "-noreset"});
    close(fds[1]);
    const std::string number = m_server > 0 ? readDisplayNumber(fds[0]) : std::string();
    close(fds[0]);
    if (number.empty()) {
        error = "Xvfb did not start (is the xvfb package installed?)";
        stop();
        return false;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("WAYLAND_DISPLAY");
    return true;
}

bool Xvfb::startWindowManager(std::string &error)
{
    m_windowManager = spawn({"openbox", "--sm-disable"});
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        error = "cannot connect to the X server";
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    const bool running = windowManagerFrames(c, root, deadline);
    xcb_disconnect(c);
    if (!running)
        error = "openbox did not start (is the openbox package installed?)";
    return running;
}

void Xvfb::stop()
{
    end(m_windowManager);
    end(m_server);
}

} // namespace jwtest
