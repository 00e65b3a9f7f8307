// One edit and one undo on the largest graph the data page allows (99 series of 999 columns):
// every edit keeps a snapshot of the graph and compares it with the edited one, so both must
// stay far below what a user would notice, whatever the size of the graph.
#include "document/graph_document_model.h"
#include "largest_graph.h"

#include <benchmark/benchmark.h>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

using bench::kColumns;
using bench::kSeries;
using bench::largestGraph;

// A value typed into one cell of the middle of the grid.
void editOneCell(GraphDocumentModel& model, int round) {
    model.edit([round](GraphDocument& d) {
        d.series.sgrdData.setCell(DataFirstValue + 500, 50, QString::number(round));
    });
}

void BM_EditOneCellOfTheLargestGraph(benchmark::State& state) {
    GraphDocumentModel model;
    model.replace(largestGraph());
    int round = 0;
    for (auto _ : state)
        editOneCell(model, ++round);
}
BENCHMARK(BM_EditOneCellOfTheLargestGraph)->Unit(benchmark::kMicrosecond);

void BM_UndoOneCellOfTheLargestGraph(benchmark::State& state) {
    GraphDocumentModel model;
    model.replace(largestGraph());
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editOneCell(model, ++round);
        state.ResumeTiming();
        benchmark::DoNotOptimize(model.undo());
    }
}
BENCHMARK(BM_UndoOneCellOfTheLargestGraph)->Unit(benchmark::kMicrosecond);

// A change of every value (a paste over the whole grid) is the worst case of a step.
void BM_EditEveryCellOfTheLargestGraph(benchmark::State& state) {
    GraphDocumentModel model;
    model.replace(largestGraph());
    int round = 0;
    for (auto _ : state) {
        ++round;
        model.edit([round](GraphDocument& d) {
            for (int row = 1; row <= kSeries; ++row)
                for (int column = 0; column < kColumns; ++column)
                    d.series.sgrdData.setCell(DataFirstValue + column, row, QString::number(round));
        });
    }
}
BENCHMARK(BM_EditEveryCellOfTheLargestGraph)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
