#include "engine/series/series_nodes.h"

#include "engine/scene/growth.h"
#include "engine/scene/raster_cache_node.h"
#include "engine/series/bar_chart_node.h"
#include "engine/series/dense_lines_node.h"
#include "engine/series/line_series_node.h"
#include "engine/series/series_data.h"
#include "engine/series/value_label_layout.h"

#include <algorithm>
#include <map>
#include <optional>

namespace tivora::engine {
namespace {

// Stroking hundreds of points costs far more than stretching one picture of them: a dense series
// is drawn once as it finally stands and stretched up from the baseline as it grows, which is
// exactly how its points move.
constexpr std::size_t kDensePoints = 400;

std::unique_ptr<RasterCacheNode> stretchedWhileGrowing(std::unique_ptr<SceneNode> node,
                                                       const PlotGeometry& geometry, int speed) {
    const double baseY = geometry.y(geometry.scale.baseline());
    const Track growth = growthTrack(speed);
    auto reshaped = [baseY, growth](Millis time) {
        QTransform transform;
        transform.translate(0, baseY);
        transform.scale(1, growth.at(time));
        transform.translate(0, -baseY);
        return transform;
    };
    // Room around the plot for the widest pen.
    const QRectF bounds = geometry.plot.adjusted(-20, -20, 20, 20);
    return std::make_unique<RasterCacheNode>(std::move(node), bounds, std::move(reshaped));
}

// Line series drawn together whose lines cover this much of the stage (in square stage units,
// as long as they run times as wide as they are) take a canvas longer than a frame lasts to draw
// at twice the stage's size: like a dense series, they are drawn once as they finally stand and
// stretched as they grow.
constexpr double kBusyLineInk = 150000.0;

// Adds up the ink of line series drawn together, and tells whether they grow at one speed.
class BusyLines {
public:
    void add(const LineSeriesNode& line, int speed) {
        m_ink += line.ink();
        m_mixedSpeeds = m_mixedSpeeds || (m_speed && *m_speed != speed);
        m_speed = speed;
    }
    // The speed they all grow at, when they are busy enough to be stretched.
    std::optional<int> sharedSpeed() const {
        if (m_ink < kBusyLineInk || m_mixedSpeeds)
            return std::nullopt;
        return m_speed;
    }

private:
    double m_ink = 0.0;
    std::optional<int> m_speed;
    bool m_mixedSpeeds = false;
};

// The speed every bar series grows at, when they all grow together.
std::optional<int> sharedBarSpeed(const SeriesData& data) {
    std::optional<int> speed;
    for (const Series& series : data.series) {
        if (series.type != SeriesType::Bar)
            continue;
        if (speed && *speed != series.speed)
            return std::nullopt;
        speed = series.speed;
    }
    return speed;
}

} // namespace

std::vector<std::unique_ptr<SceneNode>> seriesNodes(const SeriesData& data,
                                                    const PlotGeometry& geometry,
                                                    const PlotGround& ground,
                                                    double largestLabelPixels) {
    const QColor& background = ground.base;
    std::vector<std::unique_ptr<SceneNode>> nodes;
    ValueLabelLayout labels(geometry.plot, largestLabelPixels, geometry.slotWidth());
    labels.setDarkestGround(ground.darkest);
    std::vector<Track> tracks;
    for (const Series& series : data.series)
        tracks.push_back(growthTrack(series.speed));
    const auto addLines = [&](SeriesType type, AreaPass pass) {
        // Series that grow together share one picture when they are dense. The others are drawn
        // together too, in their order, so that lines a LineCanvas can draw are drawn by one:
        // Qt takes up to a second a frame to stroke wide jagged lines of a few hundred points.
        std::map<int, std::unique_ptr<DenseLinesNode>> dense;
        DenseLinesNode* together = nullptr;
        std::size_t togetherAt = 0;
        BusyLines busy;
        for (std::size_t i = 0; i < data.series.size(); ++i) {
            const Series& series = data.series[i];
            if (series.type != type)
                continue;
            auto line = std::make_unique<LineSeriesNode>(series, int(i) + 1, geometry, pass);
            if (pass == AreaPass::Fill)
                line->addValueLabels(series, i, background, labels);
            if (series.values.size() < kDensePoints) {
                if (type == SeriesType::Area) {
                    nodes.push_back(std::move(line));
                    continue;
                }
                if (!together) {
                    auto group = std::make_unique<DenseLinesNode>(true);
                    together = group.get();
                    togetherAt = nodes.size();
                    nodes.push_back(std::move(group));
                }
                busy.add(*line, series.speed);
                together->add(std::move(line));
                continue;
            }
            auto& group = dense[series.speed];
            if (!group)
                group = std::make_unique<DenseLinesNode>(false);
            group->add(std::move(line));
        }
        if (const auto speed = busy.sharedSpeed(); together && speed) {
            auto stretched = stretchedWhileGrowing(std::move(nodes[togetherAt]), geometry, *speed);
            stretched->paintInHalves();
            nodes[togetherAt] = std::move(stretched);
        }
        for (auto& [speed, group] : dense) {
            // Lines keep nothing while painting, so their picture may be made in halves.
            auto stretched = stretchedWhileGrowing(std::move(group), geometry, speed);
            stretched->paintInHalves();
            nodes.push_back(std::move(stretched));
        }
    };
    addLines(SeriesType::Area, AreaPass::Fill);
    addLines(SeriesType::Area, AreaPass::Outline);
    auto bars = std::make_unique<BarChartNode>(data, geometry);
    if (!bars->isEmpty()) {
        bars->addValueLabels(data, background, labels);
        if (const auto speed = sharedBarSpeed(data);
            speed && bars->isFlat() && bars->barCount() >= kDensePoints)
            nodes.push_back(stretchedWhileGrowing(std::move(bars), geometry, *speed));
        else
            nodes.push_back(std::move(bars));
    }
    addLines(SeriesType::Line, AreaPass::Fill);
    if (auto node = labels.build(std::move(tracks)))
        nodes.push_back(std::move(node));
    return nodes;
}

} // namespace tivora::engine
