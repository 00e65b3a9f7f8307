// Animated outputs of series graphs: the animated SVG of a typical graph (3 series x 12 columns,
// counting value labels), alone and under a snow effect, and of the largest the editor allows
// (99 x 999), time and bytes; and the
// whole animation of the typical graph at 30 fps as MP4 and GIF, against painting the same
// frames alone (the "painting" benchmark), so that the encoders' share can be read off; and the
// slide deck of two typical graphs (a bar and a line graph of the shipped templates) against
// writing their two MP4s, read off as the counter deck_ratio (the deck's time over the videos'
// time).
#include "bench_graph_text.h"
#include "document/program_folder.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "export/animation_writer.h"
#include "export/deck/graph_slide.h"
#include "export/graph_summary.h"
#include "export/svg/animated_svg.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace tivora::engine;
using namespace tivora::exporting;
using tivora::bench::graphText;

namespace {

constexpr int kFps = 30;

// effect: an effect file of the program's Data folder, or none.
void animatedSvgOf(benchmark::State& state, int seriesCount, int columns, const char* effect) {
    QByteArray graph = graphText("bar", seriesCount, columns);
    if (*effect) {
        const QByteArray end = "&Textloaded";
        graph.replace(end, QByteArray("&BEffect=" + EncodeValue(effect) + end));
    }
    const VariableText text(graph);
    const Scene scene = layoutGraph(text, QDir(programDataPath(QString())));
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

// Each round writes both videos, as a PowerPoint publish does, then the deck that embeds them.
// The graphs are two of the templates the designer ships: bars, and lines with a note.
void deckOfTwoGraphs(benchmark::State& state) {
    QTemporaryDir folder;
    const std::vector<QString> graphs{programDataPath(QStringLiteral("P_3Bar.dat")),
                                      programDataPath(QStringLiteral("P_3LineNote.dat"))};
    double videoNanos = 0;
    double deckNanos = 0;
    for (auto _ : state) {
        std::vector<DeckSlide> slides;
        QElapsedTimer clock;
        for (const QString& graph : graphs) {
            clock.start();
            QString error;
            const auto input = loadAnimatedInput(graph, false, error);
            const QString video =
                folder.filePath(QFileInfo(graph).completeBaseName() + QStringLiteral(".mp4"));
            if (!input || writeAnimated(*input, video, kDefaultFps)) {
                state.SkipWithError("could not write a video");
                return;
            }
            videoNanos += double(clock.nsecsElapsed());
            clock.start();
            auto slide = graphSlide(*input, video, kDefaultFps, error);
            if (!slide) {
                state.SkipWithError("could not make a slide");
                return;
            }
            slides.push_back(std::move(*slide));
            deckNanos += double(clock.nsecsElapsed());
        }
        clock.start();
        if (writeDeck(folder.filePath(QStringLiteral("two.pptx")), QStringLiteral("Two"), slides))
            state.SkipWithError("could not write the deck");
        deckNanos += double(clock.nsecsElapsed());
    }
    state.counters["deck_ms"] = deckNanos / 1e6 / double(state.iterations());
    state.counters["videos_ms"] = videoNanos / 1e6 / double(state.iterations());
    state.counters["deck_ratio"] = videoNanos > 0 ? deckNanos / videoNanos : 0.0;
    state.counters["deck_bytes"] =
        double(QFileInfo(folder.filePath(QStringLiteral("two.pptx"))).size());
}

} // namespace

BENCHMARK_CAPTURE(animatedSvgOf, typical_bar, 3, 12, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animatedSvgOf, typical_bar_snow, 3, 12, "snow.eff")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animatedSvgOf, largest_bar, 99, 999, "")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(paintingAlone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encoded, typical_mp4, AnimationFormat::Mp4, "typical.mp4")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encoded, typical_gif, AnimationFormat::Gif, "typical.gif")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(deckOfTwoGraphs)->Unit(benchmark::kMillisecond);
