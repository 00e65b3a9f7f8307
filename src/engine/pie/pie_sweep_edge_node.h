#pragma once

#include "engine/pie/pie_body_node.h"

namespace tivora::engine {

// While the pie opens from its finished picture, the slice being uncovered shows its cut side
// along the sweep's leading edge, so the growing pie has its thickness there too.
class PieSweepEdgeNode : public SceneNode {
public:
    PieSweepEdgeNode(PieGeometry geometry, std::vector<PieSliceShape> slices, Track sweep);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_sweep.endTime(); }

private:
    PieGeometry m_geometry;
    std::vector<PieSliceShape> m_slices; // clockwise from twelve o'clock
    Track m_sweep;
};

} // namespace tivora::engine
