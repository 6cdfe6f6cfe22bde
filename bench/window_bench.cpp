// Start-up, page switching and the memory the running pad holds.
//
// Start-up runs the real program (JOTWELL_PROGRAM, else ./jotwell next to this
// benchmark) in a prepared folder and times process start to the end of its
// load; the program leaves at that point when JOTWELL_QUIT_AFTER_LOAD is set.
#include "spawn.h"
#include "about/frmsplash.h"
#include "richtext/rtffile.h"
#include "pages/pagefiles.h"
#include "shell/frmmain.h"
#include "base/settingsstore.h"
#include "ui/tabstrip.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::string g_program;

// A page of about `bytes` characters, formatting changing every few words.
jw::rtf::Document makePage(std::size_t bytes)
{
    static const char16_t *words[] = {u"notes ",    u"pad ",   u"keep ",      u"Grüße ",
                                      u"shopping ", u"ideas ", u"call Anna ", u"übermorgen "};
    jw::rtf::Document doc;
    std::size_t i = 0;
    while (doc.text.size() < bytes) {
        const std::size_t start = doc.text.size();
        for (int w = 0; w < 6; ++w)
            doc.text += words[(i + w) % 8];
        if (i % 7 == 6)
            doc.text += u'\n';
        jw::rtf::CharFormat f{i % 3 ? "DejaVu Sans" : "DejaVu Serif", 16 + static_cast<int>(i % 5) * 2, i % 2 == 0,
                              i % 5 == 0, i % 11 == 0};
        doc.runs.push_back({start, doc.text.size() - start, f});
        ++i;
    }
    jw::rtf::normalizeRuns(doc);
    return doc;
}

// A pad folder with `pages` pages listed in its settings.
void preparePad(const QString &folder, int pages, std::size_t pageBytes)
{
    jw::SettingsStore store(folder + QStringLiteral("/config/jotwell/settings.json"));
    jw::SettingsEntries list;
    for (int i = 1; i <= pages; ++i)
        list.append({QStringLiteral("Page %1").arg(i), QString::number(i)});
    store.writeEntries(QStringLiteral("Jotwell"), QStringLiteral("Tabs"), list);
    const auto page = makePage(pageBytes);
    for (int i = 1; i <= pages; ++i)
        jw::saveRtfFile(folder + QStringLiteral("/Page %1.rtf").arg(i), page);
}

pid_t spawnPad(const QString &folder, bool quitAfterLoad, const char *display)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0
            && entry.rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + (folder + QStringLiteral("/config")).toStdString());
    if (display) {
        env.push_back(std::string("DISPLAY=") + display);
        env.push_back("QT_QPA_PLATFORM=xcb");
    } else {
        env.push_back("QT_QPA_PLATFORM=offscreen");
    }
    if (quitAfterLoad)
        env.push_back("JOTWELL_QUIT_AFTER_LOAD=1");
    return jwbench::spawnIn({g_program}, folder.toLocal8Bit().toStdString(), env, false);
}

void BM_StartUp(benchmark::State &state)
{
    QTemporaryDir dir;
    preparePad(dir.path(), static_cast<int>(state.range(0)), 2000);
    for (auto _ : state) {
        const pid_t pid = spawnPad(dir.path(), true, nullptr);
        if (pid < 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not end cleanly");
            return;
        }
    }
}
BENCHMARK(BM_StartUp)->Arg(2)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Resident memory of the running pad with 100 pages, once the start-up has settled.
void BM_ResidentMemory(benchmark::State &state)
{
    QTemporaryDir dir;
    preparePad(dir.path(), 100, 2000);
    const char *display = std::getenv("JOTWELL_BENCH_DISPLAY");
    long kib = -1;
    for (auto _ : state) {
        const pid_t pid = spawnPad(dir.path(), false, display);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500)); // past the splash
        kib = residentKiB(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    state.counters["RSS_MiB"] = static_cast<double>(kib) / 1024.0;
}
BENCHMARK(BM_ResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page switch: the page left is written, the next one read, both of state.range(0) bytes.
void BM_PageSwitch(benchmark::State &state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    preparePad(dir.path(), 2, static_cast<std::size_t>(state.range(0)));
    jw::SettingsStore store(dir.path() + QStringLiteral("/config/jotwell/settings.json"));
    jw::PageFiles files(dir.path());
    jw::frmMain window(store, files);
    window.Form_Load();
    delete window.splash();
    window.show();
    QCoreApplication::processEvents();
    auto *tabs = window.findChild<jw::ui::TabStrip *>(QStringLiteral("oTabs"));
    int target = 1;
    for (auto _ : state) {
        if (!tabs->requestTab(target)) {
            state.SkipWithError("the switch was refused");
            return;
        }
        QCoreApplication::processEvents();
        target = 3 - target;
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
    window.hide();
    QDir::setCurrent(QDir::tempPath());
}
BENCHMARK(BM_PageSwitch)->Arg(10 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keystroke to paint in a 10 MB page with real key events: keypaint (next to
// this program) types 200 keys into the middle of the page on the X display
// JOTWELL_BENCH_DISPLAY (else DISPLAY) and reports each one; the figures are
// the percentiles of those times. `loading`: typing starts at once, while Qt
// still lays the page out in the background; else once it is laid out.
void keyToPaint(benchmark::State &state, bool loading)
{
    const char *display = std::getenv("JOTWELL_BENCH_DISPLAY");
    if (!display || !*display)
        display = std::getenv("DISPLAY");
    if (!display || !*display) {
        state.SkipWithError("no X display (JOTWELL_BENCH_DISPLAY or DISPLAY)");
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        QProcess keypaint;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(display));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        keypaint.setProcessEnvironment(env);
        keypaint.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        keypaint.start(QCoreApplication::applicationDirPath() + QStringLiteral("/keypaint"),
                       {QStringLiteral("200"), loading ? QStringLiteral("loading") : QStringLiteral("laid-out")});
        if (!keypaint.waitForFinished(600000) || keypaint.exitStatus() != QProcess::NormalExit
            || keypaint.exitCode() != 0) {
            state.SkipWithError("keypaint failed");
            return;
        }
        for (const QByteArray &line : keypaint.readAllStandardOutput().split('\n')) {
            if (!line.trimmed().isEmpty())
                times.push_back(line.toDouble());
        }
    }
    if (times.empty()) {
        state.SkipWithError("no keys were timed");
        return;
    }
    std::sort(times.begin(), times.end());
    auto percentile = [&times](double p) {
        return times[std::min(times.size() - 1, std::size_t(p * double(times.size())))];
    };
    state.counters["p50_ms"] = percentile(0.5);
    state.counters["p99_ms"] = percentile(0.99);
    state.counters["max_ms"] = times.back();
}
void BM_KeyToPaint10MB(benchmark::State &state) { keyToPaint(state, false); }
void BM_KeyToPaint10MBLoading(benchmark::State &state) { keyToPaint(state, true); }
BENCHMARK(BM_KeyToPaint10MB)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeyToPaint10MBLoading)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (const char *program = std::getenv("JOTWELL_PROGRAM"))
        g_program = program;
    else
        g_program = (QCoreApplication::applicationDirPath() + QStringLiteral("/../jotwell")).toStdString();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
