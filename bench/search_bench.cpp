// The search across all pages: from the end of the pause after typing until
// every hit is listed, over 1,000 pages of about 10 KB and over one 10 MB
// page, with `grep -rli` over the same files side by side.
#include "pagegen.h"
#include "spawn.h"
#include "richtext/rtffile.h"
#include "search/searcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
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

const char *queryOf(int which) { return which == 0 ? "zanzibar" : "remember"; }

/// One search as the panel runs it, timed until its last page has been handed on.
void BM_SearchAllPages(benchmark::State &state)
{
    Folder &pages = folder(int(state.range(0)), std::size_t(state.range(1)));
    const bool warm = state.range(3) != 0;
    SearchRequest request;
    request.query = QString::fromLatin1(queryOf(int(state.range(2))));
    request.files = jw::PageFiles(pages.dir.path());
    request.tabs = pages.titles;
    auto searcher = std::make_unique<Searcher>();
    qsizetype hits = 0;
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            searcher = std::make_unique<Searcher>();
            state.ResumeTiming();
        }
        QEventLoop loop;
        std::vector<PageHits> listed;
        QObject::connect(searcher.get(), &Searcher::pageFound, &loop, [&](const PageHits &p) { listed.push_back(p); });
        QObject::connect(searcher.get(), &Searcher::finished, &loop, [&](const SearchSummary &s) {
            hits = s.hits;
            loop.quit();
        });
        const auto start = Clock::now();
        searcher->start(request);
        loop.exec();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["hits"] = double(hits);
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
void pages(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"pages", "bytes", "common", "warm"});
    for (const auto &[count, bytes] : {std::pair(1000, 10 << 10), std::pair(1, 10 << 20)})
        for (int common : {0, 1})
            for (int warm : {0, 1})
                b->Args({count, bytes, common, warm});
    b->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
}

void grepPages(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"pages", "bytes", "common"});
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
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
