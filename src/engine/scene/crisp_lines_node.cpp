#include "engine/scene/crisp_lines_node.h"

#include "engine/scene/device_pixels.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tivora::engine {

CrispLinesNode::CrispLinesNode(std::vector<QLineF> lines, const QColor& color, double width)
    : m_lines(std::move(lines))
    , m_color(color)
    , m_width(width) {}

double CrispLinesNode::snapped(double deviceCoordinate, int deviceWidth) {
    const double half = deviceWidth % 2 ? 0.5 : 0.0;
    return std::floor(deviceCoordinate - half + 0.5) + half;
}

void CrispLinesNode::paint(QPainter& painter, Millis) const {
    const QTransform transform = painter.worldTransform();
    // Graphs are only scaled and moved, never turned: the scale along one axis is the scale.
    const int width = std::max(1, int(std::lround(m_width * deviceScaleOf(transform))));
    painter.save();
    painter.resetTransform();
    painter.setPen(QPen(m_color, width, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& line : m_lines) {
        QLineF device = transform.map(line);
        if (std::fabs(device.dy()) < 0.01) {
            const double y = snapped(device.y1(), width);
            device.setLine(std::round(device.x1()), y, std::round(device.x2()), y);
        } else if (std::fabs(device.dx()) < 0.01) {
            const double x = snapped(device.x1(), width);
            device.setLine(x, std::round(device.y1()), x, std::round(device.y2()));
        }
        painter.drawLine(device);
    }
    painter.restore();
}

} // namespace tivora::engine
