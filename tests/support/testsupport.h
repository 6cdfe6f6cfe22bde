#pragma once

// Helpers shared by the core test executables: a temporary folder per test,
// child processes, and a watch on a folder's changes.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace jwtest {

/// Runs each test in its own temporary folder, which is also the current
/// folder, with XDG_CONFIG_HOME and HOME pointed inside it.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        saveEnv("XDG_CONFIG_HOME", m_oldXdg);
        saveEnv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        qputenv("HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
    }

    void TearDown() override
    {
        restoreEnv("XDG_CONFIG_HOME", m_oldXdg);
        restoreEnv("HOME", m_oldHome);
        QDir::setCurrent(m_oldCwd);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;

private:
    using SavedEnv = std::optional<QByteArray>;
    static void saveEnv(const char *name, SavedEnv &saved)
    {
        if (qEnvironmentVariableIsSet(name))
            saved = qgetenv(name);
    }
    static void restoreEnv(const char *name, const SavedEnv &saved)
    {
        if (saved)
            qputenv(name, *saved);
        else
            qunsetenv(name);
    }

    QString m_oldCwd;
    SavedEnv m_oldXdg;
    SavedEnv m_oldHome;
};

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

/// A forked child process running one function; what it writes to the
/// given descriptor comes back as `output`.
class Child final {
public:
    /// `body` runs in the child; its result is the exit code.
    explicit Child(const std::function<int(int outFd)> &body)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        m_pid = ::fork();
        if (m_pid < 0)
            throw std::runtime_error("fork failed");
        if (m_pid == 0) {
            ::close(fds[0]);
            int code = 99;
            try {
                code = body(fds[1]);
            } catch (...) {
                code = 98;
            }
            ::close(fds[1]);
            ::_exit(code); // no atexit handlers, no flush of the parent's buffers
        }
        ::close(fds[1]);
        m_fd = fds[0];
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;
    ~Child()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            wait();
        }
    }

    pid_t pid() const { return m_pid; }

    /// Waits for the child; reads its output first so it never blocks on the pipe.
    void wait()
    {
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
            if (got > 0)
                output.append(buffer, static_cast<size_t>(got));
        }
        ::close(m_fd);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        exited = WIFEXITED(status);
        exitCode = exited ? WEXITSTATUS(status) : -1;
        signalled = WIFSIGNALED(status);
    }

    static void send(int fd, const QString &text)
    {
        const QByteArray bytes = text.toUtf8();
        [[maybe_unused]] auto ignored = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    }

    bool exited = false;
    bool signalled = false;
    int exitCode = -1;
    std::string output;

private:
    pid_t m_pid = -1;
    int m_fd = -1;
};

/// Records what happens inside one folder (creations, renames, writes).
class FolderWatch final {
public:
    explicit FolderWatch(const QString &folder)
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            m_wd = ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                       IN_CREATE | IN_DELETE | IN_MODIFY | IN_MOVED_FROM
                                           | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB);
    }
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;
    ~FolderWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool valid() const { return m_fd >= 0 && m_wd >= 0; }

    struct Event {
        uint32_t mask;
        std::string name;
    };

    /// Every event since the last call. Events are queued by the system
    /// call that caused them, so nothing is still in flight here.
    std::vector<Event> take()
    {
        std::vector<Event> events;
        alignas(inotify_event) char buffer[8192];
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (ssize_t at = 0; at < got;) {
                const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
                events.push_back({e->mask, e->len ? std::string(e->name) : std::string()});
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return events;
    }

    /// How many times `name` was put in place (created or renamed onto).
    static int placements(const std::vector<Event> &events, const std::string &name)
    {
        int n = 0;
        for (const Event &e : events) {
            if (e.name == name && (e.mask & (IN_CREATE | IN_MOVED_TO)))
                ++n;
        }
        return n;
    }

private:
    int m_fd = -1;
    int m_wd = -1;
};

/// Polls `condition` until it holds or `timeout` passes.
inline bool waitFor(const std::function<bool()> &condition,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace jwtest
