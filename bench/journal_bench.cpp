// Journaling unsaved text must not stall typing: the cost of one journal
// write of a 1 MB and a 10 MB page (taken on the UI thread), and a keystroke
// with and without a journal write behind it.
#include "pagegen.h"
#include "pages/journal.h"
#include "ui/richtextedit.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_JournalWrite(benchmark::State &state)
{
    const jw::RecoveryJournal journal(folder().filePath(QStringLiteral("recovery")));
    jw::ui::RichTextEdit edit;
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0))));
    for (auto _ : state)
        journal.record(folder().path(), QStringLiteral("Big"), edit.toDocument());
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * 2);
}

// A key typed into a shown page until it is painted, as when the 30 s limit
// falls during typing: arg 1 then adds the UI thread's share of a journal
// write (taking the page from the editor; the rest runs on a worker), arg 2
// a whole write on the UI thread for comparison.
void BM_Keystroke(benchmark::State &state)
{
    const jw::RecoveryJournal journal(folder().filePath(QStringLiteral("recovery")));
    jw::ui::RichTextEdit edit;
    edit.resize(600, 400);
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0))));
    edit.show();
    edit.setFocus();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(&edit, Qt::Key_X);
        edit.repaint();
        if (state.range(1) == 1)
            benchmark::DoNotOptimize(edit.toDocument().runs.size());
        else if (state.range(1) == 2)
            journal.record(folder().path(), QStringLiteral("Big"), edit.toDocument());
    }
}

constexpr std::int64_t kMB = 1 << 20;

} // namespace

BENCHMARK(BM_JournalWrite)->Arg(kMB / 2)->Arg(10 * kMB / 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->ArgsProduct({{kMB / 2, 10 * kMB / 2}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
