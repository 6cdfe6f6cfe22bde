// Tests that need a real X server and window manager: an Xvfb of our own on
// a free display (Xvfb picks it, -displayfd) with openbox managing frames.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

pid_t spawn(const std::vector<std::string> &args, const posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

/// Starts Xvfb and returns its display number, or -1.
int startXvfb(pid_t &pid)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string number;
    char c = 0;
    while (pid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    return number.empty() ? -1 : std::stoi(number);
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS(); // test discovery: no server needed

    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", runtime.path().toLocal8Bit());
    pid_t xvfb = -1;
    const int display = startXvfb(xvfb);
    if (display < 0) {
        std::fprintf(stderr, "could not start Xvfb\n");
        stop(xvfb);
        return 1;
    }
    qputenv("DISPLAY", QByteArray(":") + QByteArray::number(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    const pid_t wm = spawn({"openbox", "--sm-disable"});

    int rc = 1;
    {
        QApplication app(argc, argv);
        testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
        rc = RUN_ALL_TESTS();
    }
    stop(wm);
    stop(xvfb);
    return rc;
}
