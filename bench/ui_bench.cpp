// The page editor's share of a page switch: model <-> QTextDocument, the
// selection attributes on a big selection, and save + load through files.
#include "pagegen.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTest>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using jw::ui::RichTextEdit;

void BM_SetFromDocument(benchmark::State &state)
{
    const jw::rtf::Document page = jwbench::makePage(std::size_t(state.range(0)));
    RichTextEdit edit;
    edit.resize(600, 400);
    for (auto _ : state) {
        edit.setFromDocument(page);
        benchmark::DoNotOptimize(edit.document()->characterCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * 2);
}

/// The same in a shown editor, until the event loop has laid out and painted it.
void BM_SetFromDocumentShown(benchmark::State &state)
{
    const jw::rtf::Document page = jwbench::makePage(std::size_t(state.range(0)));
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        edit.setFromDocument(page);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(edit.document()->characterCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * 2);
}

void BM_ToDocument(benchmark::State &state)
{
    RichTextEdit edit;
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0))));
    for (auto _ : state) {
        const jw::rtf::Document doc = edit.toDocument();
        benchmark::DoNotOptimize(doc.runs.size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * 2);
}

void BM_SelBoldOfEverything(benchmark::State &state)
{
    RichTextEdit edit;
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0))));
    edit.selectAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.SelBold());
}

/// Save the page left and load the next one, as a tab switch does.
void BM_SaveAndLoad(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString left = dir.filePath(QStringLiteral("left.rtf"));
    const QString next = dir.filePath(QStringLiteral("next.rtf"));
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0)), 2));
    edit.SaveFile(next);
    edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0)), 3));
    for (auto _ : state) {
        edit.SaveFile(left);
        edit.LoadFile(next);
        state.PauseTiming();
        edit.setFromDocument(jwbench::makePage(std::size_t(state.range(0)), 3));
        state.ResumeTiming();
    }
}

/// One paragraph of `runs` words, bold on and off word by word: about ten
/// characters a run, so 100,000 runs make a 1 MB page.
jw::rtf::Document longParagraph(int runs)
{
    jw::rtf::Document doc;
    jw::rtf::CharFormat plain{"DejaVu Sans", 24, false, false, false};
    for (int i = 0; i < runs; ++i) {
        const std::size_t start = doc.text.size();
        doc.text += i % 3 ? u"notepad " : u"remember ";
        jw::rtf::CharFormat f = plain;
        f.bold = i % 2 == 1;
        doc.runs.push_back({start, doc.text.size() - start, f});
    }
    return doc;
}

/// Loading the page into a shown editor until it is laid out and painted,
/// then one keystroke typed into the middle of the paragraph and painted.
void BM_LongParagraph(benchmark::State &state)
{
    const jw::rtf::Document page = longParagraph(int(state.range(0)));
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        edit.setFromDocument(page);
        edit.document()->documentLayout()->documentSize(); // the whole page's height
        QCoreApplication::processEvents();
        edit.repaint();
    }
    state.counters["chars"] = double(page.text.size());
}

/// One keystroke in the middle of the long paragraph, laid out and painted.
void BM_LongParagraphKey(benchmark::State &state)
{
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.show();
    edit.setFromDocument(longParagraph(int(state.range(0))));
    edit.document()->documentLayout()->documentSize();
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(edit.document()->characterCount() / 2);
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(edit.viewport(), Qt::Key_X);
        QCoreApplication::processEvents();
        edit.repaint();
    }
}

} // namespace

BENCHMARK(BM_LongParagraph)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LongParagraphKey)->Arg(100000)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SetFromDocument)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetFromDocumentShown)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToDocument)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelBoldOfEverything)->Arg(500 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAndLoad)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

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
