// The live preview as the user feels it: from a changed value of the open graph to the next
// frame of the preview drawn (the graph text written, the engine movie loaded afresh and laid
// out, one frame painted), for a typical graph and for the largest the designer allows.
#include "../tests/shell/shell_environment.h"
#include "controls/movie_player.h"
#include "shell/file_commands.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void changeToNextFrame(benchmark::State& state) {
    const int seriesCount = int(state.range(0));
    const int columnCount = int(state.range(1));
    tivora::test::ShellEnvironment environment;
    tivora::TfrmLumara window;
    window.show();
    const QString path = environment.writeGraph(
        u"bench.TVX"_s, tivora::test::ShellEnvironment::seriesGraph(seriesCount, columnCount));
    if (!window.fileCommands().OpenGraphFile(path)) {
        state.SkipWithError("the graph did not open");
        return;
    }
    tivora::MoviePlayer& player = *window.Panel9->ShockwaveFlash1;
    int edit = 0;
    for (auto _ : state) {
        window.model().edit([&](tivora::GraphDocument& document) {
            document.header.edtHeader = u"Header "_s + QString::number(++edit);
        });
        player.repaint();
    }
    state.counters["cells"] = double(seriesCount) * columnCount;
}

// One frame of the playing preview, as the player paints it on the window.
void playerFrame(benchmark::State& state) {
    tivora::test::ShellEnvironment environment;
    tivora::TfrmLumara window;
    window.show();
    const QString path = environment.writeGraph(
        u"bench.TVX"_s,
        tivora::test::ShellEnvironment::seriesGraph(int(state.range(0)), int(state.range(1))));
    if (!window.fileCommands().OpenGraphFile(path)) {
        state.SkipWithError("the graph did not open");
        return;
    }
    QCoreApplication::processEvents();
    tivora::MoviePlayer& player = *window.Panel9->ShockwaveFlash1;
    state.counters["width"] = player.width();
    state.counters["visible"] = player.isVisible();
    for (auto _ : state)
        player.repaint();
}

// A refresh with nothing changed (a page switch, a save): the text is written and found to be
// the one shown, so the movie keeps playing.
void unchangedRefresh(benchmark::State& state) {
    tivora::test::ShellEnvironment environment;
    tivora::TfrmLumara window;
    window.show();
    const QString path = environment.writeGraph(
        u"bench.TVX"_s,
        tivora::test::ShellEnvironment::seriesGraph(int(state.range(0)), int(state.range(1))));
    if (!window.fileCommands().OpenGraphFile(path)) {
        state.SkipWithError("the graph did not open");
        return;
    }
    for (auto _ : state)
        window.preview().RefreshPreview();
}

// The preview file alone: the graph text built and written atomically, without the engine.
void changeToPreviewFile(benchmark::State& state) {
    tivora::test::ShellEnvironment environment;
    tivora::GraphDocumentModel model;
    model.replace(
        tivora::test::ShellEnvironment::seriesGraph(int(state.range(0)), int(state.range(1))));
    const QString path = tivora::programDataPath(u"Slide0.txt"_s);
    int edit = 0;
    for (auto _ : state) {
        model.edit([&](tivora::GraphDocument& document) {
            document.header.edtHeader = u"Header "_s + QString::number(++edit);
        });
        benchmark::DoNotOptimize(model.write(path));
    }
}

} // namespace

BENCHMARK(changeToPreviewFile)
    ->Args({3, 12})
    ->Args({99, 999})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(unchangedRefresh)
    ->Args({3, 12})
    ->Args({99, 999})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(playerFrame)
    ->Args({3, 12})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(changeToNextFrame)
    ->Args({3, 12})
    ->Args({99, 999})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
