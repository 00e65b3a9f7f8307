#include "engine/pie/pie_sweep_edge_node.h"

#include <QPainter>
#include <cmath>

namespace tivora::engine {

PieSweepEdgeNode::PieSweepEdgeNode(PieGeometry geometry, std::vector<PieSliceShape> slices,
                                   Track sweep)
    : m_geometry(geometry)
    , m_slices(std::move(slices))
    , m_sweep(std::move(sweep)) {}

void PieSweepEdgeNode::paint(QPainter& painter, Millis time) const {
    const double revealed = m_sweep.at(time);
    if (revealed <= 0 || revealed >= 360 || m_slices.empty())
        return;
    const double edge = m_slices.front().start + revealed;
    // Only a face on the right half turns towards the viewer.
    if (std::cos(PieGeometry::radians(edge)) <= 0)
        return;
    for (const PieSliceShape& slice : m_slices) {
        if (edge > slice.start && edge < slice.start + slice.span) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setOpacity(slice.opacity);
            painter.fillPath(m_geometry.cutFace(edge, slice.shift), slice.color.darker(150));
            return;
        }
    }
}

} // namespace tivora::engine
