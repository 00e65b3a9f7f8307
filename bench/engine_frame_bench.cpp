// Frame times of series graphs on the 700 x 475 stage: a typical graph (3 series x 12 columns),
// the largest the editor allows (99 x 999) and saw-tooth lines, laid out once and painted at
// mid-growth and at rest.
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

// Line series whose values swing from the bottom of the plot to the top and back at every
// column, so that every segment crosses most of the plot: the costliest lines to stroke.
// lineWidth is the series grid's (10 draws 4 stage units wide, 8 draws 3 with a shine).
QByteArray sawToothText(int seriesCount, int columns, int lineWidth) {
    const auto entry = [](const QByteArray& key, const QByteArray& value) {
        return QByteArray('&' + key + '=' + EncodeValue(value));
    };
    std::vector<QByteArray> types, colors, speeds, widths;
    for (int s = 0; s < seriesCount; ++s) {
        types.push_back("line");
        colors.push_back(s % 2 ? "0x2E6FB7" : "0xE07B24");
        speeds.push_back("15");
        widths.push_back(QByteArray::number(lineWidth));
    }
    QByteArray text = "&v_=2.0" + entry("gt_", "line") + "&bg_=0xFFFFFF" +
                      entry("sr_", QByteArray::number(seriesCount)) +
                      entry("co_", QByteArray::number(columns)) + entry("typ_", joinList(types)) +
                      entry("anim_", joinList(speeds)) + entry("bsc_", joinList(colors)) +
                      entry("lw_", joinList(widths)) + entry("CV_", "NO");
    for (int s = 1; s <= seriesCount; ++s) {
        std::vector<QByteArray> values;
        for (int c = 0; c < columns; ++c)
            values.push_back(QByteArray::number((c + s) % 2 ? 95 - s % 7 : 5 + s % 11));
        text += entry("y" + QByteArray::number(s) + "v_", joinList(values));
    }
    return text + entry("YMin", "0") + entry("YMax", "100") + entry("YStep", "10") +
           "&Textloaded=OK";
}

// A frame of saw-tooth lines half grown, at scale device pixels to a stage unit.
void sawToothFrame(benchmark::State& state, int seriesCount, int columns, int lineWidth,
                   double scale) {
    const Movie movie(
        layoutGraph(VariableText(sawToothText(seriesCount, columns, lineWidth)), QDir()));
    QImage image(int(700 * scale), int(475 * scale), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::transparent);
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
BENCHMARK_CAPTURE(sawToothFrame, saw_tooth_10x399, 10, 399, 10, 1.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(sawToothFrame, saw_tooth_10x399_twice_the_size, 10, 399, 10, 2.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(sawToothFrame, saw_tooth_99x100_shine, 99, 100, 8, 1.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(sawToothFrame, saw_tooth_99x100_shine_twice_the_size, 99, 100, 8, 2.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(sawToothFrame, saw_tooth_5x40_widest, 5, 40, 99, 2.0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
