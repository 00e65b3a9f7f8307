#pragma once

#include "engine/scene/scene.h"
#include "engine/series/plot_geometry.h"

#include <QColor>
#include <memory>
#include <vector>

namespace tivora::engine {

struct SeriesData;

// The drawing of every series of a graph on its plot, in painting order: areas behind the bars,
// lines in front of them, the value labels of all of them last. plotBackground decides the label
// colours; no label is drawn larger than largestLabelPixels.
std::vector<std::unique_ptr<SceneNode>> seriesNodes(const SeriesData& data,
                                                    const PlotGeometry& geometry,
                                                    const QColor& plotBackground,
                                                    double largestLabelPixels);

} // namespace tivora::engine
