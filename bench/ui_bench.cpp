// The page editor's share of a page switch: model <-> QTextDocument, the
// selection attributes on a big selection, and save + load through files.
#include "pagegen.h"
#include "editing/frmsearch.h"
#include "editing/search.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTemporaryDir>
#include <QTextBlock>

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
        edit.finishLoading(); // the whole page, not only its first screen
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
    edit.finishLoading();
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
        edit.finishLoading();
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

/// Loading the page into a shown editor until its first screen is painted
/// (counter first_screen_ms) and on until the whole page is in (the time).
void BM_LongParagraph(benchmark::State &state)
{
    const jw::rtf::Document page = longParagraph(int(state.range(0)));
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.show();
    QCoreApplication::processEvents();
    double firstScreen = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        edit.setFromDocument(page);
        QCoreApplication::processEvents();
        edit.repaint();
        firstScreen = double(clock.nsecsElapsed()) / 1e6;
        while (edit.isLoading())
            QCoreApplication::processEvents();
    }
    state.counters["chars"] = double(page.text.size());
    state.counters["first_screen_ms"] = firstScreen;
}

/// One keystroke in the middle of the long paragraph, laid out and painted.
void BM_LongParagraphKey(benchmark::State &state)
{
    RichTextEdit edit;
    edit.resize(600, 400);
    edit.show();
    edit.setFromDocument(longParagraph(int(state.range(0))));
    edit.finishLoading();
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

/// A shown editor holding a page of `units` characters whose one "Jotwell"
/// is its last word, laid out to its end (as it is once the background
/// layout after loading is done).
struct SearchPage {
    RichTextEdit edit;
    explicit SearchPage(std::size_t units)
    {
        jw::rtf::Document page = jwbench::makePage(units);
        page.runs.push_back({page.text.size(), 7, page.runs.back().format});
        page.text += u"Jotwell";
        edit.resize(600, 400);
        edit.show();
        edit.setFromDocument(page);
        edit.finishLoading();
        edit.document()->documentLayout()->blockBoundingRect(edit.document()->lastBlock());
        QCoreApplication::processEvents();
    }
};

/// After one keystroke at the top, the dialog search for the last word of
/// the page, selected and painted.
void BM_Search(benchmark::State &state)
{
    SearchPage page(std::size_t(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        page.edit.setSelStart(0);
        page.edit.insertPlainText(QStringLiteral("x"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        jw::SearchState search;
        const auto match = search.search(page.edit.Text(), QStringLiteral("Jotwell"));
        if (!match) {
            state.SkipWithError("no match");
            return;
        }
        jw::selectMatch(page.edit, match->start, match->length);
        QCoreApplication::processEvents();
    }
}

/// Find Next of a common word, from match to match, each selected and painted.
void BM_FindNext(benchmark::State &state)
{
    SearchPage page(std::size_t(state.range(0)));
    jw::SearchState search;
    search.search(page.edit.Text(), QStringLiteral("fox"));
    for (auto _ : state) {
        const auto match = search.next(page.edit.Text());
        if (!match) {
            state.SkipWithError("no match");
            return;
        }
        jw::selectMatch(page.edit, match->start, match->length);
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_Search)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindNext)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
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
