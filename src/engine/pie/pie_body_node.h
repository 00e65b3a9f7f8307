#pragma once

#include "engine/pie/pie_geometry.h"
#include "engine/scene/scene.h"

#include <QColor>
#include <vector>

namespace tivora::engine {

// A slice as drawn: where it lies on the pie and how it looks.
struct PieSliceShape {
    double start = 0; // degrees, clockwise from three o'clock
    double span = 0;
    QPointF shift; // pulled out from the centre
    QColor color;  // already shaded
    double opacity = 1.0;
    // The cut faces show only where the slice stands apart from its neighbour; elsewhere they
    // lie inside the pie and a see-through top must not reveal them.
    bool startFaceShows = true;
    bool endFaceShows = true;
    int number = 0; // the slice's place in the graph, from 1
};

// The pie itself: walls, cut faces and tops of every slice, with a gloss over the top. While the
// opening runs, the slices are revealed clockwise by a sweep that grows to the full circle.
class PieBodyNode : public SceneNode {
public:
    PieBodyNode(PieGeometry geometry, std::vector<PieSliceShape> slices, Track sweep);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_sweep.endTime(); }
    void inspect(DrawnItems& items, Millis time) const override;
    // The top of each slice.
    std::vector<ValueMark> valueMarks() const override;

private:
    struct Faces {
        QPainterPath top;
        std::vector<QPainterPath> sides; // cut faces first, then the outer wall
    };
    Faces facesOf(const PieSliceShape& slice, double revealedUpTo) const;
    void paintSlices(QPainter& painter, const std::vector<Faces>& faces) const;
    void paintGloss(QPainter& painter, double revealed) const;

    PieGeometry m_geometry;
    std::vector<PieSliceShape> m_slices; // back to front
    std::vector<Faces> m_finalFaces;
    Track m_sweep; // revealed degrees
};

} // namespace tivora::engine
