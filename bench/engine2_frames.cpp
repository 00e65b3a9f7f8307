// Frame times of the pie, notes and effects at the stage's own size: what a player pays for every
// frame once the graph is laid out.
#include "document/variable_text.h"
#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"
#include "engine/layout/graph_layout.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace tivora;
using namespace tivora::engine;

namespace {

QByteArray entry(const QByteArray& key, const QByteArray& value) {
    return '&' + key + '=' + EncodeValue(value);
}

QByteArray repeatedList(const QByteArray& item, int count) {
    return joinList(std::vector<QByteArray>(std::size_t(count), item));
}

// A pie of 99 slices of uneven sizes with labels and percentages, a shadow, and 10 shaded notes
// with spots, link lines and shadows.
QByteArray busyPie() {
    constexpr int kSlices = 99;
    constexpr int kNotes = 10;
    std::vector<QByteArray> labels, values, colors, offsets;
    const char* palette[] = {"0x2E6FD8", "0xF28C28", "0x3BAA5C", "0xD8423A", "0x8B5CC7"};
    for (int i = 0; i < kSlices; ++i) {
        labels.push_back("Product line " + QByteArray::number(i + 1));
        values.push_back(QByteArray::number((i * 37) % 23 + 2));
        colors.push_back(palette[i % 5]);
        offsets.push_back(i % 11 == 0 ? "12" : "0");
    }
    QByteArray text = "&v_=2.0" + entry("gt_", "pie") + entry("hd_", "Revenue") +
                      entry("hp_", "0") + entry("hb_", "0x1F3B63") + entry("hc_", "0xFFFFFF") +
                      "&bg_=0xFFFFFF&bga_=0";
    text += entry("a_", "Yes") + entry("gs_", "40") + entry("sli_", QByteArray::number(kSlices));
    text +=
        entry("XPLFont", "12") + entry("XPVFont", "11") + entry("SliceLabels", joinList(labels));
    text += entry("OffSets", joinList(offsets)) + entry("SliceValues", joinList(values));
    text += entry("SliceColor", joinList(colors)) + entry("PieLabelColor", "0x333333");
    text += entry("PieValueColor", "0xFFFFFF") + entry("SliceShade", "0") + entry("pieToShow", "0");
    text += entry("pieShadow", "1") + entry("pieShadowAlpha", "50") + entry("SliceAlpha", "100");
    text += entry("no_", QByteArray::number(kNotes));
    std::vector<QByteArray> xs, ys;
    for (int i = 0; i < kNotes; ++i) {
        xs.push_back(QByteArray::number(20 + (i % 5) * 130));
        ys.push_back(QByteArray::number(60 + (i / 5) * 280));
    }
    text +=
        entry("nos_", repeatedList("1", kNotes)) + entry("nofs_", repeatedList("Shaded", kNotes));
    text += entry("nox_", joinList(xs)) + entry("noy_", joinList(ys));
    text +=
        entry("now_", "120") + entry("noh_", "70") + entry("nohh_", "Yes") + entry("nohl_", "Yes");
    text += entry("nohd_", "Heading\\r") + entry("nobd_", "Two lines\\rof body text\\r");
    text += entry("nsh_", "Yes") + "&Textloaded=OK";
    return text;
}

void paintFrames(benchmark::State& state, const Scene& scene, Millis time) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.paint(painter, time);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_PieWithNotesSettled(benchmark::State& state) {
    const Scene scene = layoutGraph(VariableText(busyPie()), QDir::temp());
    paintFrames(state, scene, scene.endTime() + 1);
}
BENCHMARK(BM_PieWithNotesSettled)->Unit(benchmark::kMillisecond);

void BM_PieWithNotesOpening(benchmark::State& state) {
    const Scene scene = layoutGraph(VariableText(busyPie()), QDir::temp());
    paintFrames(state, scene, scene.endTime() / 2);
}
BENCHMARK(BM_PieWithNotesOpening)->Unit(benchmark::kMillisecond);

void BM_PieWithNotesLayout(benchmark::State& state) {
    const QByteArray text = busyPie();
    for (auto _ : state) {
        Scene scene = layoutGraph(VariableText(text), QDir::temp());
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(BM_PieWithNotesLayout)->Unit(benchmark::kMillisecond);

void BM_SnowEffect(benchmark::State& state) {
    const auto effect = EffectFile::parse(
        "TVEFFECT 1\n"
        "particles shape=dot count=90 size=1-2.5 opacity=50-90 angle=95 speed=12-24 sway=6\n"
        "particles shape=flake count=34 size=3-7 opacity=70-100 angle=92 speed=22-42 sway=14 "
        "spin=25\n");
    Scene scene;
    scene.add(Layer::Effect, std::make_unique<EffectNode>(*effect, QRectF(0, 40, 700, 435), 0.5));
    paintFrames(state, scene, 2500);
}
BENCHMARK(BM_SnowEffect)->Unit(benchmark::kMillisecond);

} // namespace
