// Find in All Pages: from the end of the pause after typing until every hit
// is listed, over 1,000 pages of about 10 KB and over one 10 MB page, with
// `grep -rli` over the same files side by side.
#include "pagegen.h"
#include "spawn.h"
#include "richtext/rtffile.h"
#include "search/frmfindall.h"

#include <QApplication>
#include <QLineEdit>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <ctime>
#include <sys/wait.h>

namespace {

using namespace jw::search;
using Clock = std::chrono::steady_clock;

/// A folder of `count` pages of about `bytes` of RTF each, different from each other.
struct Folder {
    QTemporaryDir dir;
    QStringList titles;
    Folder(int count, std::size_t bytes)
    {
        const jw::rtf::Document sample = jwbench::makePage(64 * 1024);
        const double ratio = double(jw::rtf::writeRtf(sample).size()) / double(sample.text.size());
        for (int i = 0; i < count; ++i) {
            titles << QStringLiteral("Page %1").arg(i + 1);
            jw::rtf::Document page = jwbench::makePage(std::size_t(double(bytes) / ratio), std::uint64_t(i) + 1);
            // A rare word on every hundredth page.
            if (i % 100 == 0)
                page.text.insert(page.text.size() / 2, u" Zanzibar ");
            jw::rtf::normalizeRuns(page);
            jw::saveRtfFile(dir.filePath(titles.last() + QStringLiteral(".rtf")), page);
        }
    }
};

Folder &folder(int count, std::size_t bytes)
{
    static std::map<std::pair<int, std::size_t>, std::unique_ptr<Folder>> made;
    auto &slot = made[{count, bytes}];
    if (!slot)
        slot = std::make_unique<Folder>(count, bytes);
    return *slot;
}

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

const char *queryOf(int which) { return which == 0 ? "zanzibar" : "remember"; }

/// One search in the panel, from the end of the pause after typing until
/// the list holds every hit and the event loop is idle. Cold: no page read
/// yet (the first search of a session); warm: the pages read by an earlier
/// search or while the query was typed, as when the user types on.
void BM_SearchAllPages(benchmark::State &state)
{
    Folder &pages = folder(int(state.range(0)), std::size_t(state.range(1)));
    const bool warm = state.range(3) != 0;
    frmFindAll panel(nullptr, [&] {
        SearchRequest request;
        request.files = jw::PageFiles(pages.dir.path());
        request.tabs = pages.titles;
        return request;
    });
    panel.show();
    panel.txtFind->setText(QString::fromLatin1(queryOf(int(state.range(2)))));
    // The CPU time of all threads tells the work apart from the waiting on a busy machine.
    double cpu = 0;
    for (auto _ : state) {
        if (!warm)
            panel.searcher().cache().clear();
        const double cpuStart = processCpuMs();
        const auto start = Clock::now();
        panel.searchNow();
        while (panel.searching())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        cpu += processCpuMs() - cpuStart;
    }
    state.counters["hits"] = double(panel.results().hitCount());
    state.counters["cpu_ms"] = cpu / double(state.iterations());
}

/// grep -rli over the same page files: finds the files, without decoding them.
void BM_GrepAllPages(benchmark::State &state)
{
    Folder &pages = folder(int(state.range(0)), std::size_t(state.range(1)));
    const std::string where = pages.dir.path().toStdString();
    for (auto _ : state) {
        const auto start = Clock::now();
        const pid_t pid = jwbench::spawnIn({"grep", "-rli", queryOf(int(state.range(2))), "."}, where, {}, true);
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid) {
            state.SkipWithError("grep did not run");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

// Args: pages, bytes per page, query (0 rare, 1 on every page), warm cache.
// (No ArgNames: bench/table.py leaves out the parts of a name with a colon.)
void pages(benchmark::internal::Benchmark *b)
{
    for (const auto &[count, bytes] : {std::pair(1000, 10 << 10), std::pair(1, 10 << 20)})
        for (int common : {0, 1})
            for (int warm : {0, 1})
                b->Args({count, bytes, common, warm});
    b->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
}

void grepPages(benchmark::internal::Benchmark *b)
{
    for (const auto &[count, bytes] : {std::pair(1000, 10 << 10), std::pair(1, 10 << 20)})
        for (int common : {0, 1})
            b->Args({count, bytes, common});
    b->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
}

} // namespace

BENCHMARK(BM_SearchAllPages)->Apply(pages);
BENCHMARK(BM_GrepAllPages)->Apply(grepPages);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
