// Time from exec to the first mapped window, for the pad and its peers side
// by side in one run: our bare Qt window, FeatherPad and xpad. The programs
// take turns; each reports its mean and, as median_ms, its median.
//
// Needs an X server without a window manager in DISPLAY (bench/run-all.sh
// starts Xvfb). Each program runs with a fresh HOME and config folder; the
// pad gets JOTWELL_BENCH_PAGES pages (default 2).
#include "spawn.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "base/settingsstore.h"
#include "richtext/rtffile.h"

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Peer {
    const char *name;
    std::string program;
    bool pad;
    bool freshHome; // xpad maps no window on a second start without pads
};

std::string g_binDir;
class MapWatch;
MapWatch *g_watch = nullptr;

/// A root-window watch for MapNotify of top-level windows.
class MapWatch final {
public:
    MapWatch()
    {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
        m_ok = true;
    }
    ~MapWatch() { xcb_disconnect(m_conn); }
    bool ok() const { return m_ok; }

    /// Drops events left from an earlier run.
    void drain()
    {
        xcb_aux_sync();
        while (xcb_generic_event_t *e = xcb_poll_for_event(m_conn))
            free(e);
    }

    /// The moment the next window was mapped, or nothing within `limit`.
    std::optional<Clock::time_point> nextMap(std::chrono::milliseconds limit)
    {
        const auto deadline = Clock::now() + limit;
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t *e = xcb_poll_for_event(m_conn)) {
                const bool mapped = (e->response_type & ~0x80) == XCB_MAP_NOTIFY;
                free(e);
                if (mapped)
                    return Clock::now();
            }
            pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            poll(&fd, 1, int(std::max<long>(1, left.count())));
        }
        return std::nullopt;
    }

private:
    void xcb_aux_sync() { free(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr)); }

    xcb_connection_t *m_conn = nullptr;
    bool m_ok = false;
};

/// A home for one program: its config folder and, for the pad, its pages.
void prepareHome(const QString &home, bool pad)
{
    QDir().mkpath(home + QStringLiteral("/.config"));
    if (!pad)
        return;
    const int pages = qEnvironmentVariableIntValue("JOTWELL_BENCH_PAGES");
    jw::SettingsStore store(home + QStringLiteral("/.config/jotwell/settings.json"));
    jw::SettingsEntries list;
    jw::rtf::Document page;
    page.text = u"Shopping: bread, milk, apples.\nCall Anna on Friday.";
    for (int i = 1; i <= std::max(pages, 2); ++i) {
        list.append({QStringLiteral("Page %1").arg(i), QString::number(i)});
        jw::saveRtfFile(home + QStringLiteral("/Page %1.rtf").arg(i), page);
    }
    store.writeEntries(QStringLiteral("Jotwell"), QStringLiteral("Tabs"), list);
}

pid_t spawnIn(const std::string &program, const QString &home)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0
            && entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("HOME=" + home.toStdString());
    env.push_back("XDG_CONFIG_HOME=" + home.toStdString() + "/.config");
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
    return jwbench::spawnIn({program}, home.toLocal8Bit().toStdString(), env);
}

/// Ends a program: politely first, so the pad saves and releases its lock.
void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(5000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

/// The times of one program's starts, or why there are none.
struct Samples {
    std::vector<double> seconds;
    std::string error;
};

/// One start of `peer` in its home, `dir` (made on first use), timed from
/// exec to its first mapped window.
void startOnce(const Peer &peer, std::optional<QTemporaryDir> &dir, Samples &samples)
{
    if (!dir || peer.freshHome) {
        dir.emplace();
        prepareHome(dir->path(), peer.pad);
    }
    g_watch->drain();
    const auto start = Clock::now();
    const pid_t pid = spawnIn(peer.program, dir->path());
    if (pid < 0) {
        samples.error = "cannot start " + peer.program;
        return;
    }
    const auto mapped = g_watch->nextMap(std::chrono::seconds(30));
    stop(pid);
    if (!mapped)
        samples.error = "no window was mapped within 30 s";
    else
        samples.seconds.push_back(std::chrono::duration<double>(*mapped - start).count());
}

/// The programs take turns, so that all of them see the same load on a busy
/// machine.
std::vector<Samples> measure(const std::vector<Peer> &peers, int rounds)
{
    std::vector<Samples> samples(peers.size());
    if (!g_watch->ok()) {
        for (Samples &s : samples)
            s.error = "no X server in DISPLAY";
        return samples;
    }
    std::vector<std::optional<QTemporaryDir>> homes(peers.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < peers.size(); ++i) {
            if (samples[i].error.empty())
                startOnce(peers[i], homes[i], samples[i]);
        }
    }
    return samples;
}

void BM_FirstWindow(benchmark::State &state, const Samples *samples)
{
    if (!samples->error.empty()) {
        state.SkipWithError(samples->error.c_str());
        return;
    }
    std::size_t i = 0;
    for (auto _ : state)
        state.SetIterationTime(samples->seconds[i++ % samples->seconds.size()]);
    // The median: one start delayed by another program's burst does not count.
    std::vector<double> sorted = samples->seconds;
    std::sort(sorted.begin(), sorted.end());
    state.counters["median_ms"] = sorted[sorted.size() / 2] * 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) > 0)
        g_binDir = QFileInfo(QString::fromLocal8Bit(self)).absolutePath().toStdString();
    // One connection for the whole run: an X server without clients resets,
    // and a program started during that reset finds no display.
    MapWatch watch;
    g_watch = &watch;
    const std::vector<Peer> peers = {
        {"bare", g_binDir + "/barewindow", false, false},
        {"jotwell", g_binDir + "/../jotwell", true, false},
        {"featherpad", "featherpad", false, false},
        {"xpad", "xpad", false, true},
    };
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    constexpr int kRounds = 15;
    const std::vector<Samples> samples = measure(peers, kRounds);
    for (std::size_t i = 0; i < peers.size(); ++i) {
        benchmark::RegisterBenchmark(("BM_FirstWindow/" + std::string(peers[i].name)).c_str(), BM_FirstWindow,
                                     &samples[i])
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(kRounds);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
