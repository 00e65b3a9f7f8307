#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <numbers>

namespace tivora::engine {

// The tilted pie: an ellipse seen from above at an angle, standing depth units tall. Angles are in
// degrees, clockwise on screen from three o'clock; slices start at twelve o'clock (-90).
struct PieGeometry {
    QPointF centre;
    double rx = 0;
    double ry = 0;
    double depth = 0;

    // The largest pie that fits area with labelRoom left free on either side for the labels and
    // room for slices pulled out by up to maxOffset.
    static PieGeometry fit(const QRectF& area, double labelRoom, double maxOffset);
    static double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

    QPointF pointAt(double degrees, double radiusFactor = 1.0) const;
    // Where a slice pulled out by offset along its middle angle moves its centre to.
    QPointF pullOut(double midDegrees, double offset) const;
    QRectF topRect() const;

    // The slice's top face, its outer wall (the part of the rim facing the viewer) and one cut face
    // (the flat side along a radius), each moved by shift.
    QPainterPath topFace(double start, double span, QPointF shift) const;
    QPainterPath outerWall(double start, double span, QPointF shift) const;
    QPainterPath cutFace(double degrees, QPointF shift) const;
    // Where the opening sweep has uncovered the pie once it has turned revealed degrees clockwise
    // from start: the tops and walls of those slices, and anything pulled out from them.
    QPainterPath sweptArea(double start, double revealed) const;
};

} // namespace tivora::engine
