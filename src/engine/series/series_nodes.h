#pragma once

#include "engine/scene/scene.h"
#include "engine/series/plot_geometry.h"

#include <QColor>
#include <memory>
#include <vector>

namespace tivora::engine {

struct SeriesData;

// What a plot is painted with: its colour and, where it is shaded, the darkest shade.
struct PlotGround {
    QColor base;
    QColor darkest;
};

// The drawing of every series of a graph on its plot, in painting order: areas behind the bars,
// lines in front of them, the value labels of all of them last. plotBackground decides the label
// colours; no label is drawn larger than largestLabelPixels.
std::vector<std::unique_ptr<SceneNode>> seriesNodes(const SeriesData& data,
                                                    const PlotGeometry& geometry,
                                                    const PlotGround& plotBackground,
                                                    double largestLabelPixels);

// The same on a plot of one flat colour.
inline std::vector<std::unique_ptr<SceneNode>> seriesNodes(const SeriesData& data,
                                                           const PlotGeometry& geometry,
                                                           const QColor& plotBackground,
                                                           double largestLabelPixels) {
    return seriesNodes(data, geometry, PlotGround{plotBackground, plotBackground},
                       largestLabelPixels);
}

} // namespace tivora::engine
