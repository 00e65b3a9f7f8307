// Frame times of series graphs on the 700 x 475 stage: a typical graph (3 series x 12 columns) and
// the largest the editor allows (99 x 999), laid out once and painted at mid-growth and at rest.
// Qt's raster engine may paint on threads of its own, so frames count the CPU of the whole process.
#include "bench_graph_text.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace tivora::engine;
using tivora::bench::graphText;

namespace {

void paintFrames(benchmark::State& state, const QByteArray& type, int seriesCount, int columns,
                 bool atRest) {
    const Movie movie(layoutGraph(VariableText(graphText(type, seriesCount, columns)), QDir()));
    const Millis time = atRest ? movie.endTime() : movie.endTime() / 2;
    QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        movie.paint(painter, time);
    }
}

// The first frame after the graph is laid out afresh, as the preview paints it after an edit of
// one value: parts kept as pictures are drawn for the first time.
void firstFrame(benchmark::State& state, const QByteArray& type, int seriesCount, int columns,
                double scale = 1.0) {
    QImage image(int(700 * scale), int(475 * scale), QImage::Format_ARGB32_Premultiplied);
    int edition = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const VariableText text(graphText(type, seriesCount, columns, ++edition));
        const Movie movie(layoutGraph(text, QDir()));
        image.fill(Qt::transparent);
        state.ResumeTiming();
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        movie.paint(painter, movie.endTime() / 2);
    }
}

void layout(benchmark::State& state, const QByteArray& type, int seriesCount, int columns) {
    const VariableText text(graphText(type, seriesCount, columns));
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutGraph(text, QDir()));
}

} // namespace

BENCHMARK_CAPTURE(paintFrames, typical_bar_growing, "bar", 3, 12, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(paintFrames, typical_bar_at_rest, "bar", 3, 12, true)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(paintFrames, typical_line_growing, "line", 3, 12, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(paintFrames, largest_bar_growing, "bar", 99, 999, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(paintFrames, largest_sbar_growing, "sbar", 99, 999, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(paintFrames, largest_line_growing, "line", 99, 999, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(firstFrame, largest_bar, "bar", 99, 999)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(firstFrame, largest_sbar, "sbar", 99, 999)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(firstFrame, largest_line, "line", 99, 999)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
// Twice the stage's size, as on a screen of two device pixels to a point: lines two pixels wide.
BENCHMARK_CAPTURE(firstFrame, largest_line_twice_the_size, "line", 99, 999, 2.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(layout, typical_bar, "bar", 3, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(layout, largest_bar, "bar", 99, 999)->Unit(benchmark::kMillisecond);
