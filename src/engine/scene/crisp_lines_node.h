#pragma once

#include "engine/scene/scene.h"

#include <QColor>
#include <QLineF>
#include <vector>

namespace tivora::engine {

// Horizontal and vertical lines (grid, axes, ticks) laid on whole device pixels at whatever scale
// the stage is painted, so a one-unit line stays one sharp pixel instead of a blurred pair.
class CrispLinesNode : public SceneNode {
public:
    CrispLinesNode(std::vector<QLineF> lines, const QColor& color, double width);

    void paint(QPainter& painter, Millis time) const override;

    // Where a line of the given device width must lie to cover whole pixels: on a pixel centre
    // for odd widths, on a pixel edge for even ones.
    static double snapped(double deviceCoordinate, int deviceWidth);

private:
    std::vector<QLineF> m_lines;
    QColor m_color;
    double m_width;
};

} // namespace tivora::engine
