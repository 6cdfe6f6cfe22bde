// Resident memory of the running pad with its main window open on a 10 MB
// page, against the same pad with its two empty default pages.
//
// Each pad runs as a real process in a folder of its own (pages, config and
// runtime folders), on the X server in DISPLAY when there is one (else
// offscreen). A second start with --show opens the main window, as a user's
// second start does; its answer comes once the load has finished. The figure
// is VmRSS once it has settled.
#include "spawn.h"
#include "base/settingsstore.h"
#include "richtext/rtffile.h"
#include "pagegen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
std::string g_program;

pid_t spawnPad(const QString &folder, const char *option)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0
            && entry.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0)
            env.push_back(entry);
    }
    const std::string home = folder.toStdString();
    env.push_back("HOME=" + home);
    env.push_back("XDG_CONFIG_HOME=" + home + "/config");
    env.push_back("XDG_RUNTIME_DIR=" + home + "/runtime");
    env.push_back(std::getenv("DISPLAY") ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen");
    env.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
    std::vector<std::string> args{g_program};
    if (option)
        args.emplace_back(option);
    return jwbench::spawnIn(args, folder.toLocal8Bit().toStdString(), env);
}

long residentKiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool waitFor(const std::function<bool()> &condition, std::chrono::seconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

/// The resident memory of a pad started in `folder` with its main window
/// open, or an error text.
std::optional<long> settledResidentKiB(const QString &folder, std::string &error)
{
    QDir().mkpath(folder + QStringLiteral("/runtime"));
    QFile::setPermissions(folder + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const pid_t pad = spawnPad(folder, nullptr);
    // The running copy's socket exists once it has claimed its place.
    const auto listening = [&] {
        return !QDir(folder + QStringLiteral("/runtime"))
                    .entryList({QStringLiteral("*.socket")}, QDir::System)
                    .isEmpty();
    };
    std::optional<long> kib;
    int status = 0;
    if (pad < 0 || !waitFor(listening, std::chrono::seconds(60))) {
        error = "the pad did not start";
    } else if (const pid_t show = spawnPad(folder, "--show");
               show < 0 || waitpid(show, &status, 0) != show || status != 0) {
        error = "the pad did not open its main window";
    } else {
        // Settled: no change of more than 1% over two seconds.
        long last = residentKiB(pad);
        const auto settled = [&] {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            const long now = residentKiB(pad);
            return std::labs(now - std::exchange(last, now)) * 100 <= now;
        };
        if (waitFor(settled, std::chrono::seconds(120)) && last > 0)
            kib = last;
        else
            error = "the pad's memory did not settle";
    }
    if (pad > 0) {
        kill(pad, SIGKILL);
        waitpid(pad, nullptr, 0);
    }
    return kib;
}

void BM_ResidentMemory10MB(benchmark::State &state)
{
    QTemporaryDir empty;
    QTemporaryDir full;
    const jw::rtf::Document page = jwbench::makePageOfRtfSize(std::size_t(10) << 20);
    jw::SettingsStore store(full.path() + QStringLiteral("/config/jotwell/settings.json"));
    store.writeEntries(QStringLiteral("Jotwell"), QStringLiteral("Tabs"),
                       {{QStringLiteral("Big"), QStringLiteral("1")}});
    jw::saveRtfFile(full.path() + QStringLiteral("/Big.rtf"), page);
    std::optional<long> emptyKiB;
    std::optional<long> fullKiB;
    std::string error;
    for (auto _ : state) {
        emptyKiB = settledResidentKiB(empty.path(), error);
        fullKiB = emptyKiB ? settledResidentKiB(full.path(), error) : std::nullopt;
    }
    if (!fullKiB) {
        state.SkipWithError(error.c_str());
        return;
    }
    // The text as a user counts it: its UTF-8 size.
    const QByteArray text = QString::fromStdU16String(page.text).toUtf8();
    state.counters["RSS_MiB"] = double(*fullKiB) / 1024.0;
    state.counters["empty_RSS_MiB"] = double(*emptyKiB) / 1024.0;
    state.counters["text_MiB"] = double(text.size()) / (1024.0 * 1024.0);
    state.counters["RTF_MiB"] = double(QFileInfo(full.path() + QStringLiteral("/Big.rtf")).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ResidentMemory10MB)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) > 0)
        g_program = QFileInfo(QString::fromLocal8Bit(self)).absolutePath().toStdString() + "/../jotwell";
    if (const char *program = std::getenv("JOTWELL_PROGRAM"))
        g_program = program;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
