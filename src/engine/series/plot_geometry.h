#pragma once

#include "engine/series/axis_scale.h"

#include <QRectF>
#include <algorithm>

namespace tivora::engine {

// Where values and columns of a series graph lie in the graph's own coordinates.
struct PlotGeometry {
    QRectF plot;
    AxisScale scale;
    int columns = 1;

    double y(double value) const { return plot.bottom() - scale.fraction(value) * plot.height(); }
    // y for many values in a row, with its division done once.
    auto yOfEach() const {
        return [bottom = plot.bottom(), min = scale.min,
                perUnit = plot.height() / (scale.max - scale.min)](double value) {
            return bottom - (value - min) * perUnit;
        };
    }
    double slotWidth() const { return plot.width() / std::max(columns, 1); }
    double columnLeft(int column) const { return plot.left() + column * slotWidth(); }
    double columnCentre(int column) const { return columnLeft(column) + slotWidth() / 2; }
};

} // namespace tivora::engine
