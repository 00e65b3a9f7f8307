// Writing and reading the largest graph the data page allows: 99 series of 999 columns, with ten
// notes. The preview writes the whole graph on every change, so both directions must stay fast.
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"
#include "document/grid_layouts.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSeries = 99;
constexpr int kColumns = 999;
constexpr int kNotes = 10;

GraphDocument largestGraph() {
    GraphDocument document;
    document.graphType = u"bar"_s;
    document.baseType = u"bar"_s;
    SeriesFields& series = document.series;
    series.edtSeries = QString::number(kSeries);
    series.edtCols = QString::number(kColumns);
    shapeDataGrid(series.sgrdData, kSeries, kColumns);
    shapePropertyGrid(series.sgrdProp, kSeries);
    for (int row = 1; row <= kSeries; ++row) {
        setNewSeriesDefaults(series.sgrdData, series.sgrdProp, row, u"bar"_s);
        series.sgrdData.setCell(DataSeriesName, row, u"Series %1"_s.arg(row));
        for (int column = 0; column < kColumns; ++column)
            series.sgrdData.setCell(DataFirstValue + column, row,
                                    QString::number((row * 131 + column * 17) % 10000 / 10.0));
    }
    for (int column = 0; column < kColumns; ++column)
        series.sgrdData.setCell(DataFirstValue + column, 0, u"Week %1"_s.arg(column + 1));
    document.axes.edtMinYVal = u"0"_s;
    document.axes.edtMaxYVal = u"1000"_s;
    document.axes.edtYStep = u"100"_s;
    document.notes.edtNotes = QString::number(kNotes);
    resetNotesGrid(document.notes.sgrdNotes);
    setNoteRowCount(document.notes.sgrdNotes, kNotes);
    return document;
}

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
