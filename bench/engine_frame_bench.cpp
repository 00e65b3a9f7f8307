// Frame times of series graphs on the 700 x 475 stage: a typical graph (3 series x 12 columns) and
// the largest the editor allows (99 x 999), laid out once and painted at mid-growth and at rest.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace tivora::engine;

namespace {

QByteArray graphText(const QByteArray& type, int seriesCount, int columns) {
    const auto entry = [](const QByteArray& key, const QByteArray& value) {
        return QByteArray('&' + key + '=' + EncodeValue(value));
    };
    std::vector<QByteArray> types, colors, labels, speeds;
    for (int s = 0; s < seriesCount; ++s) {
        types.push_back(type);
        colors.push_back(s % 2 ? "0x2E6FB7" : "0xE07B24");
        speeds.push_back("15");
    }
    for (int c = 0; c < columns; ++c)
        labels.push_back("Column " + QByteArray::number(c + 1));
    QByteArray text = "&v_=2.0" + entry("gt_", type) + entry("hd_", "Sales") + "&bg_=0xFFFFFF" +
                      entry("sr_", QByteArray::number(seriesCount)) +
                      entry("co_", QByteArray::number(columns)) + entry("typ_", joinList(types)) +
                      entry("anim_", joinList(speeds)) + entry("bsc_", joinList(colors)) +
                      entry("xl_", joinList(labels)) + entry("CV_", "YES") + entry("GCV_", "YES");
    for (int s = 1; s <= seriesCount; ++s) {
        std::vector<QByteArray> values;
        for (int c = 0; c < columns; ++c)
            values.push_back(QByteArray::number((s * 37 + c * 11) % 90 + 5));
        text += entry("y" + QByteArray::number(s) + "v_", joinList(values));
    }
    text += entry("YMin", "auto") + entry("YMax", "auto") + entry("YStep", "auto") +
            entry("pcol_", "0xF4F7FB") + entry("pshl_", "40") + "&Textloaded=OK";
    return text;
}

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

void layout(benchmark::State& state, const QByteArray& type, int seriesCount, int columns) {
    const VariableText text(graphText(type, seriesCount, columns));
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutGraph(text, QDir()));
}

} // namespace

BENCHMARK_CAPTURE(paintFrames, typical_bar_growing, "bar", 3, 12, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintFrames, typical_bar_at_rest, "bar", 3, 12, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintFrames, typical_line_growing, "line", 3, 12, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintFrames, largest_bar_growing, "bar", 99, 999, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintFrames, largest_sbar_growing, "sbar", 99, 999, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintFrames, largest_line_growing, "line", 99, 999, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(layout, typical_bar, "bar", 3, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(layout, largest_bar, "bar", 99, 999)->Unit(benchmark::kMillisecond);
