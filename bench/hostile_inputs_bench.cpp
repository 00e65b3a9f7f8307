// Crafted inputs of about 10 MB, each aimed at one way a reader could take time or memory out of
// proportion to its input: millions of keys, one long item repeated into every cell, a list of
// nothing but separators, a value of ten megabytes, nothing but "&". Each is read as the designer
// opens a file and laid out and painted as the engine draws one; a clipboard of nothing but line
// breaks is pasted into the data grid. The peak memory of the whole run
// is reported with each: run one benchmark at a time (--benchmark_filter) to read it per input.
#include "controls/string_align_grid.h"
#include "document/graph_text_reader.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace tivora;
using namespace tivora::engine;

namespace {

constexpr qsizetype kInputSize = 10 * 1000 * 1000;

QByteArray entry(QByteArrayView key, QByteArrayView value) {
    return '&' + key.toByteArray() + '=' + EncodeValue(value);
}

// The entries every series graph needs, for counts of series and columns.
QByteArray seriesHead(int series, int columns) {
    return "&v_=2.0" + entry("gt_", "bar") + entry("sr_", QByteArray::number(series)) +
           entry("co_", QByteArray::number(columns)) + entry("YTFont", "12") +
           entry("YLFont", "10") + entry("XTFont", "14") + entry("XLFont", "9") +
           entry("BImageAlpha", "60") + entry("YMin", "0") + entry("YMax", "100") +
           entry("YStep", "10");
}

QByteArray manyKeys() {
    QByteArray text = seriesHead(99, 999);
    for (int n = 0; text.size() < kInputSize; ++n)
        text += "&k" + QByteArray::number(n) + "=1";
    return text + "&Textloaded=OK";
}

QByteArray longItemRepeated() {
    // The longest item a reader takes, once, for every cell of the largest graph.
    QByteArray text = seriesHead(99, 999) + entry("xl_", QByteArray(kLongestListItem, 'L')) +
                      entry("sl_", QByteArray(kLongestListItem, 'S'));
    for (int series = 1; series <= 99; ++series)
        text += entry(QByteArray("y" + QByteArray::number(series) + "v_"),
                      QByteArray(kLongestListItem / 2, '7'));
    return text + "&Textloaded=OK";
}

QByteArray onlySeparators() {
    QByteArray list;
    while (list.size() < kInputSize)
        list += "/x/";
    return seriesHead(99, 999) + entry("y1v_", list) + entry("sl_", list) + "&Textloaded=OK";
}

QByteArray tenMegabyteValue() {
    return seriesHead(3, 12) + entry("hd_", QByteArray(kInputSize, 'W')) +
           entry("XTitle", QByteArray(kInputSize / 10, 'x')) + "&Textloaded=OK";
}

QByteArray onlyAmpersands() {
    return QByteArray(kInputSize, '&');
}

QByteArray manyNotes() {
    QByteArray text = seriesHead(3, 12) + entry("no_", "9999");
    for (const char* key : {"nohd_", "nobd_", "now_", "noh_"})
        text += entry(key, QByteArray(kInputSize / 4 - 64, 'n'));
    return text + "&Textloaded=OK";
}

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

template <QByteArray (*makeInput)()> void BM_Read(benchmark::State& state) {
    const QByteArray input = makeInput();
    for (auto _ : state) {
        GraphDocument document;
        benchmark::DoNotOptimize(ReadGraphText(document, input).ok);
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

template <QByteArray (*makeInput)()> void BM_Draw(benchmark::State& state) {
    const QByteArray input = makeInput();
    QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const Movie movie(layoutGraph(VariableText(input), QDir(QStringLiteral("/nonexistent"))));
        QPainter painter(&image);
        movie.paint(painter, movie.settledTime());
    }
    state.counters["MB"] = double(input.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

// Ten megabytes of line breaks pasted over the whole data grid of the largest graph: the paste
// takes the rows and cells the selection holds, not a row for every line of the clipboard.
void BM_PasteLineBreaks(benchmark::State& state) {
    TStringAlignGrid view;
    Grid grid(999 + 3, 99 + 1);
    grid.setCell(0, 99, QStringLiteral("before"));
    view.setGrid(grid);
    view.selectAll();
    const QString breaks(kInputSize, u'\n');
    QApplication::clipboard()->setText(breaks);
    for (auto _ : state)
        view.pasteIntoSelection();
    // Every line is an empty cell: the last row of the selection is emptied too.
    if (!view.cell(0, 99).isEmpty())
        state.SkipWithError("the paste did not reach the selection");
    state.counters["MB"] = double(breaks.size()) / 1e6;
    state.counters["peak_MiB"] = peakMemoryMiB();
}

} // namespace

BENCHMARK(BM_PasteLineBreaks)
    ->Name("Paste/lineBreaks")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

#define HOSTILE_INPUT(name)                                                                        \
    BENCHMARK(BM_Read<name>)->Name("Read/" #name)->Unit(benchmark::kMillisecond)->Iterations(3);   \
    BENCHMARK(BM_Draw<name>)                                                                       \
        ->Name("Draw/" #name)                                                                      \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->MeasureProcessCPUTime()

HOSTILE_INPUT(manyKeys);
HOSTILE_INPUT(longItemRepeated);
HOSTILE_INPUT(onlySeparators);
HOSTILE_INPUT(tenMegabyteValue);
HOSTILE_INPUT(onlyAmpersands);
HOSTILE_INPUT(manyNotes);
