#include "engine/series/series_nodes.h"

#include "engine/scene/growth.h"
#include "engine/series/bar_chart_node.h"
#include "engine/series/line_series_node.h"
#include "engine/series/series_data.h"
#include "engine/series/value_label_layout.h"

#include <algorithm>

namespace tivora::engine {
namespace {

// The largest size any series asks its value labels to be, never above the header's.
double valueLabelPixels(const SeriesData& data, double largestLabelPixels) {
    double pixels = 0.0;
    for (const Series& series : data.series) {
        if (series.showValues)
            pixels = std::max(pixels, series.labelPixels);
    }
    return std::min(pixels, largestLabelPixels);
}

} // namespace

std::vector<std::unique_ptr<SceneNode>> seriesNodes(const SeriesData& data,
                                                    const PlotGeometry& geometry,
                                                    const QColor& background,
                                                    double largestLabelPixels) {
    std::vector<std::unique_ptr<SceneNode>> nodes;
    ValueLabelLayout labels(geometry.plot, valueLabelPixels(data, largestLabelPixels),
                            geometry.slotWidth());
    std::vector<Track> tracks;
    for (const Series& series : data.series)
        tracks.push_back(growthTrack(series.speed));
    const auto addLines = [&](SeriesType type) {
        for (std::size_t i = 0; i < data.series.size(); ++i) {
            if (data.series[i].type != type)
                continue;
            auto line = std::make_unique<LineSeriesNode>(data.series[i], geometry);
            line->addValueLabels(data.series[i], i, background, labels);
            nodes.push_back(std::move(line));
        }
    };
    addLines(SeriesType::Area);
    auto bars = std::make_unique<BarChartNode>(data, geometry);
    if (!bars->isEmpty()) {
        bars->addValueLabels(data, background, labels);
        nodes.push_back(std::move(bars));
    }
    addLines(SeriesType::Line);
    if (auto node = labels.build(std::move(tracks)))
        nodes.push_back(std::move(node));
    return nodes;
}

} // namespace tivora::engine
