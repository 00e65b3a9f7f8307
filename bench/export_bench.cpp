// Animated outputs of series graphs: the animated SVG of a typical graph (3 series x 12 columns,
// counting value labels) and of the largest the editor allows (99 x 999), time and bytes; and the
// whole animation of the typical graph at 30 fps as MP4 and GIF, against painting the same
// frames alone (the "painting" benchmark), so that the encoders' share can be read off.
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "export/animated_svg.h"
#include "export/animation_writer.h"
#include "export/graph_summary.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace tivora::engine;
using namespace tivora::exporting;

namespace {

constexpr int kFps = 30;

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

void animatedSvgOf(benchmark::State& state, int seriesCount, int columns) {
    const VariableText text(graphText("bar", seriesCount, columns));
    const Scene scene = layoutGraph(text, QDir());
    const GraphSummary summary = summarizeGraph(text);
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = std::size_t(animatedSvg(scene, summary).size());
    state.counters["bytes"] = double(bytes);
}

void paintingAlone(benchmark::State& state) {
    const Movie movie(layoutGraph(VariableText(graphText("bar", 3, 12)), QDir()));
    const int frames = frameCount(movie, kFps);
    for (auto _ : state) {
        for (int i = 0; i < frames; ++i)
            benchmark::DoNotOptimize(paintAnimationFrame(movie, i, kFps));
    }
    state.counters["frames"] = frames;
}

void encoded(benchmark::State& state, AnimationFormat format, const char* name) {
    const Movie movie(layoutGraph(VariableText(graphText("bar", 3, 12)), QDir()));
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        if (writeAnimation(movie, path, format, kFps))
            state.SkipWithError("could not write the animation");
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}

} // namespace

BENCHMARK_CAPTURE(animatedSvgOf, typical_bar, 3, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animatedSvgOf, largest_bar, 99, 999)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(paintingAlone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encoded, typical_mp4, AnimationFormat::Mp4, "typical.mp4")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encoded, typical_gif, AnimationFormat::Gif, "typical.gif")
    ->Unit(benchmark::kMillisecond);
