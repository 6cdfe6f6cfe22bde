// Typing into the middle of a 1 MB page with spelling on and off: each key
// from its event to the editor's next paint, with the marks of the screen
// recomputed; the figures are the percentiles of 300 keys (offscreen).
#include "base/settingsstore.h"
#include "editing/spelling.h"
#include "pagegen.h"
#include "support/fakehost.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

class PaintSeen final : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        seen = seen || event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

void BM_Typing1MB(benchmark::State &state)
{
    const bool spelling = state.range(0) != 0;
    QTemporaryDir dir;
    jw::SettingsStore store(dir.filePath(QStringLiteral("settings.json")));
    store.write(QStringLiteral("Jotwell"), QStringLiteral("Spelling"), QStringLiteral("Enabled"),
                spelling ? QStringLiteral("1") : QStringLiteral("0"));
    jw::ui::RichTextEdit edit;
    edit.resize(800, 600);
    edit.setFromDocument(jwbench::makePage(1 << 20));
    jwtest::Commands commands;
    jwtest::Host host;
    jw::Spelling checker(commands, edit, store, host);
    edit.show();
    edit.setSelStart(edit.Text().size() / 2);
    PaintSeen paint;
    edit.viewport()->installEventFilter(&paint);
    const auto runUntil = [](const std::function<bool()> &done) {
        for (QDeadlineTimer deadline(30000); !done() && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    runUntil([&] { return checker.settled(); }); // the dictionary loaded, the screen checked
    std::vector<double> times;
    const QString letters = QStringLiteral("the quikc brwn fox ");
    for (auto _ : state) {
        for (int i = 0; i < 300; ++i) {
            const QChar c = letters[i % letters.size()];
            QKeyEvent press(QEvent::KeyPress, c == u' ' ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, QString(c));
            paint.seen = false;
            QElapsedTimer clock;
            clock.start();
            QApplication::sendEvent(&edit, &press);
            runUntil([&] {
                edit.decorations().flush();
                return paint.seen;
            });
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
            runUntil([&] { return checker.settled(); }); // the typist's pause: checks run meanwhile
        }
    }
    std::sort(times.begin(), times.end());
    const auto at = [&](double p) { return times[std::min(times.size() - 1, std::size_t(p * double(times.size())))]; };
    state.counters["p50_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
}
BENCHMARK(BM_Typing1MB)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
