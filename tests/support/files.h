#pragma once

// Small helpers on real files and child processes for the core tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <functional>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ostream>

/// Readable test failures for Qt strings.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace jwtest {

/// A file in the test's own folder (the current folder).
inline QString here(const QString &name) { return QDir::current().filePath(name); }

/// The settings file of the test's own settings folder.
inline QString settingsFile()
{
    return QFile::decodeName(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/jotwell/settings.json");
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

/// The file's inode (0 if none): a new one means the file was written anew, not in place.
inline ino_t inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

/// Runs `program` to its end: its exit code (-1 when it did not finish or crashed) and its
/// output, with what it says on its error channel too when `withErrors`.
inline std::pair<int, QString> run(const QString &program, const QStringList &arguments, bool withErrors = false,
                                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(withErrors ? QProcess::MergedChannels : QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(": ") + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

/// Runs `body` in a forked child process; returns its pid. The child ends
/// with `body`'s result as exit code, without running the parent's exit handlers.
inline pid_t forkChild(const std::function<int()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    return pid;
}

/// Waits for a child; its exit code, or 128 + the signal that ended it.
inline int waitChild(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace jwtest
