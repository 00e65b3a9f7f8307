// The live preview as the user feels it: from a changed value of the open graph to the next
// frame of the preview drawn (the graph text written, the engine movie loaded afresh and laid
// out, one frame painted), for a typical graph and for the largest the designer allows.
#include "../tests/shell/shell_environment.h"
#include "controls/movie_player.h"
#include "document/grid_layouts.h"
#include "shell/file_commands.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The designer's window with a graph of the given size open, laid out as on screen, so that the
// player has its size and a repaint paints.
class OpenedGraph {
public:
    OpenedGraph(benchmark::State& state, const QString& type = u"bar"_s) {
        m_window.show();
        const QString path = m_environment.writeGraph(
            u"bench.TVX"_s, tivora::test::ShellEnvironment::seriesGraph(int(state.range(0)),
                                                                        int(state.range(1)), type));
        m_opened = m_window.fileCommands().OpenGraphFile(path);
        if (!m_opened)
            state.SkipWithError("the graph did not open");
        QCoreApplication::processEvents();
    }

    bool opened() const { return m_opened; }
    tivora::TfrmLumara& window() { return m_window; }
    tivora::MoviePlayer& player() { return *m_window.Panel9->ShockwaveFlash1; }

private:
    tivora::test::ShellEnvironment m_environment;
    tivora::TfrmLumara m_window;
    bool m_opened = false;
};

// Each round makes the nth edit of the open graph and repaints the preview, at the size the
// window gives it or, with stageSize, at the graph's own 700 x 475 (a large screen's preview).
void editToNextFrame(benchmark::State& state,
                     const std::function<void(tivora::GraphDocument&, int)>& makeEdit,
                     const QString& type = u"bar"_s, bool stageSize = false) {
    OpenedGraph graph(state, type);
    if (!graph.opened())
        return;
    if (stageSize) {
        graph.player().setFixedSize(700, 475);
        QCoreApplication::processEvents();
    }
    int edit = 0;
    for (auto _ : state) {
        graph.window().model().edit(
            [&](tivora::GraphDocument& document) { makeEdit(document, ++edit); });
        graph.player().repaint();
    }
    state.counters["cells"] = double(state.range(0)) * state.range(1);
}

// A changed header: the series look as before, and their picture is reused.
void changeToNextFrame(benchmark::State& state) {
    editToNextFrame(state, [](tivora::GraphDocument& document, int edit) {
        document.header.edtHeader = u"Header "_s + QString::number(edit);
    });
}

// A changed value: the series look different and are drawn afresh.
void changeValue(tivora::GraphDocument& document, int edit) {
    document.series.sgrdData.setCell(tivora::DataFirstValue, 1, QString::number(edit % 50 + 1));
}
void changeValueToNextFrame(benchmark::State& state) {
    editToNextFrame(state, changeValue);
}
void changeValueToStageSizeFrame(benchmark::State& state) {
    editToNextFrame(state, changeValue, u"bar"_s, true);
}
// The same on a line graph, whose lines are drawn afresh.
void changeLineValueToNextFrame(benchmark::State& state) {
    editToNextFrame(state, changeValue, u"line"_s);
}

// One frame of the playing preview, as the player paints it on the window.
void playerFrame(benchmark::State& state) {
    OpenedGraph graph(state);
    if (!graph.opened())
        return;
    for (auto _ : state)
        graph.player().repaint();
}

// A refresh with nothing changed (a page switch, a save): the text is written and found to be
// the one shown, so the movie keeps playing.
void unchangedRefresh(benchmark::State& state) {
    OpenedGraph graph(state);
    if (!graph.opened())
        return;
    for (auto _ : state)
        graph.window().preview().RefreshPreview();
}

// The preview file alone: the graph text built and written as the preview writes it (atomically,
// without waiting for the disk), without the engine.
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
        benchmark::DoNotOptimize(model.write(path, tivora::Durability::Unsynced));
    }
}

// Every case runs on the typical graph and on the largest the designer allows.
void typicalAndLargest(benchmark::internal::Benchmark* bench) {
    bench->Args({3, 12})
        ->Args({99, 999})
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(changeToPreviewFile)->Apply(typicalAndLargest);
BENCHMARK(unchangedRefresh)->Apply(typicalAndLargest);
BENCHMARK(playerFrame)->Apply(typicalAndLargest);
BENCHMARK(changeValueToNextFrame)->Apply(typicalAndLargest);
BENCHMARK(changeValueToStageSizeFrame)->Apply(typicalAndLargest);
BENCHMARK(changeLineValueToNextFrame)->Apply(typicalAndLargest);
BENCHMARK(changeToNextFrame)->Apply(typicalAndLargest);
