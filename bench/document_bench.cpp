// Writing and reading the largest graph the data page allows: 99 series of 999 columns, with ten
// notes. The preview writes the whole graph on every change, so both directions must stay fast.
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"
#include "largest_graph.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tivora;
using bench::largestGraph;
using namespace Qt::StringLiterals;

namespace {

void BM_BuildGraphText(benchmark::State& state) {
    GraphDocument document = largestGraph();
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutGraphLines(buildGraphText(document).text));
}

void BM_WriteGraphFile(benchmark::State& state) {
    GraphDocument document = largestGraph();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"largest.tvx"_s);
    for (auto _ : state) {
        if (!WriteGraphText(document, path).written())
            state.SkipWithError("write failed");
    }
}

void BM_ReadGraphText(benchmark::State& state) {
    GraphDocument source = largestGraph();
    const QByteArray bytes = layoutGraphLines(buildGraphText(source).text);
    state.counters["bytes"] = double(bytes.size());
    for (auto _ : state) {
        GraphDocument document;
        if (!ReadGraphText(document, bytes))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(document);
    }
}

} // namespace

BENCHMARK(BM_BuildGraphText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteGraphFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGraphText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
