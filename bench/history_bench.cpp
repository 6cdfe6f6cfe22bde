// The page history's costs: opening Page History of a page with 1,000
// versions until the list is painted (and, for the record, until every
// version's word counts are in), and a 1 MB save with the history on and off.
#include "pagegen.h"
#include "pages/clsdata.h"
#include "pages/frmpagehistory.h"
#include "pages/historykeeper.h"
#include "pages/pagefiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using jw::PageHistory;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

const QString kTitle = QStringLiteral("Notes");

/// A history of `count` versions of a 10 KB page, a minute apart, made once.
const PageHistory &historyOf(int count)
{
    static QDateTime clock = QDateTime::currentDateTimeUtc().addDays(-30);
    static const PageHistory history(folder().filePath(QStringLiteral("history")), [] { return clock; });
    if (history.versions(folder().path(), kTitle).size() < count) {
        jw::rtf::Document page = jwbench::makePage(5000);
        for (int i = 0; i < count; ++i) {
            page.text[std::size_t(i % 4000)] = u'a' + char16_t(i % 26);
            history.keepPage(folder().path(), kTitle, page, PageHistory::Reason::Saved);
            clock = clock.addSecs(60);
        }
    }
    return history;
}

void BM_HistoryList(benchmark::State &state)
{
    const PageHistory &history = historyOf(int(state.range(0)));
    const jw::rtf::Document now = jwbench::makePage(5000);
    for (auto _ : state) {
        jw::frmPageHistory dialog(nullptr, kTitle, history.versions(folder().path(), kTitle), now,
                                  [](const jw::rtf::Document &) { return true; });
        dialog.show();
        dialog.lstVersions->viewport()->repaint();
        benchmark::DoNotOptimize(dialog.lstVersions->topLevelItemCount());
        state.PauseTiming();
        dialog.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_HistoryCounts(benchmark::State &state)
{
    const PageHistory &history = historyOf(int(state.range(0)));
    const jw::rtf::Document now = jwbench::makePage(5000);
    for (auto _ : state) {
        jw::frmPageHistory dialog(nullptr, kTitle, history.versions(folder().path(), kTitle), now,
                                  [](const jw::rtf::Document &) { return true; });
        dialog.show();
        while (!dialog.countsDone())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

/// A 1 MB page saved as the pad saves it (written beside its file, exchanged
/// with it), in turns without and with the page history keeping the version
/// each save replaces, so a burst of load hits both alike; the counters give
/// the median of each and their ratio. Two texts take turns, so every version
/// differs from the one before; the worker's share runs between saves.
void BM_Save1MB(benchmark::State &state)
{
    QTemporaryDir pages;
    const jw::PageFiles files(pages.path());
    jw::HistoryKeeper keeper(PageHistory(pages.filePath(QStringLiteral(".history"))), pages.path());
    jw::rtf::Document page = jwbench::makePageOfRtfSize(1 << 20);
    files.writePage(QStringLiteral("Notes.rtf"), page);
    jw::clsData data(files);
    data.loadData(QStringLiteral("Notes.rtf"));
    const jw::clsData::ReplacedHook keep = [&keeper](const QString &title, const QString &path) {
        keeper.replaced(title, path);
    };
    std::vector<double> off;
    std::vector<double> on;
    for (auto _ : state) {
        for (const bool history : {false, true}) {
            page.text[0] = page.text[0] == u'A' ? u'B' : u'A';
            data.setReplacedHook(history ? keep : jw::clsData::ReplacedHook());
            QElapsedTimer timer;
            timer.start();
            const jw::clsData::Saved saved = data.save(true, [&page] { return page; });
            (history ? on : off).push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!saved.written)
                state.SkipWithError("the page was not saved");
            keeper.waitIdle();
            // The page's folder stays, as it does after a page's first save.
            const QString kept = keeper.history().pageFolder(pages.path(), kTitle);
            for (const QString &name : QDir(kept).entryList({QStringLiteral("*.rtf")}, QDir::Files))
                QFile::remove(kept + u'/' + name);
        }
    }
    state.counters["off_ms"] = median(off);
    state.counters["on_ms"] = median(on);
    state.counters["ratio"] = median(on) / median(off);
}

} // namespace

BENCHMARK(BM_HistoryList)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryCounts)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Save1MB)->Unit(benchmark::kMillisecond)->MinTime(5);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
