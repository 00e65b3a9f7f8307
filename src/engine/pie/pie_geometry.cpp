#include "engine/pie/pie_geometry.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

constexpr double kTilt = 0.6;        // ry / rx: how far the pie leans back
constexpr double kDepthRatio = 0.16; // depth / rx
constexpr double kMaxRadius = 190.0;

} // namespace

PieGeometry PieGeometry::fit(const QRectF& area, double labelRoom, double maxOffset) {
    PieGeometry pie;
    const double byWidth = area.width() / 2.0 - labelRoom - maxOffset;
    const double byHeight = (area.height() - 24.0) / (2.0 * kTilt + kDepthRatio) - maxOffset;
    pie.rx = std::clamp(std::min(byWidth, byHeight), 20.0, kMaxRadius);
    pie.ry = pie.rx * kTilt;
    pie.depth = pie.rx * kDepthRatio;
    pie.centre = area.center() - QPointF(0, pie.depth / 2.0);
    return pie;
}

QPointF PieGeometry::pointAt(double degrees, double radiusFactor) const {
    const double angle = radians(degrees);
    return centre +
           QPointF(rx * radiusFactor * std::cos(angle), ry * radiusFactor * std::sin(angle));
}

QPointF PieGeometry::pullOut(double midDegrees, double offset) const {
    const double angle = radians(midDegrees);
    return {offset * std::cos(angle), offset * kTilt * std::sin(angle)};
}

QRectF PieGeometry::topRect() const {
    return {centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry};
}

QPainterPath PieGeometry::topFace(double start, double span, QPointF shift) const {
    QPainterPath path;
    const QRectF rect = topRect().translated(shift);
    if (span >= 359.999) {
        path.addEllipse(rect);
        return path;
    }
    path.moveTo(centre + shift);
    // Qt counts angles anticlockwise; ours run clockwise on screen.
    path.arcTo(rect, -start, -span);
    path.closeSubpath();
    return path;
}

QPainterPath PieGeometry::outerWall(double start, double span, QPointF shift) const {
    // Only the front half of the rim (0..180 degrees) faces the viewer.
    const double from = std::max(start, 0.0);
    const double to = std::min(start + span, 180.0);
    QPainterPath path;
    if (to <= from)
        return path;
    const QRectF top = topRect().translated(shift);
    const QRectF bottom = top.translated(0, depth);
    path.arcMoveTo(top, -from);
    path.arcTo(top, -from, -(to - from));
    path.lineTo(pointAt(to) + shift + QPointF(0, depth));
    path.arcTo(bottom, -to, to - from);
    path.closeSubpath();
    return path;
}

QPainterPath PieGeometry::cutFace(double degrees, QPointF shift) const {
    const QPointF down(0, depth);
    const QPointF rim = pointAt(degrees) + shift;
    QPainterPath path;
    path.moveTo(centre + shift);
    path.lineTo(rim);
    path.lineTo(rim + down);
    path.lineTo(centre + shift + down);
    path.closeSubpath();
    return path;
}

QPainterPath PieGeometry::sweptArea(double start, double revealed) const {
    constexpr double kReach = 2.5; // far enough out for slices pulled out of the pie
    // The outline keeps its number of points however far the sweep has turned, so that writers
    // can animate it point by point; at the full circle a step is 15 degrees, and its chord
    // still passes far outside the pie at that reach.
    constexpr int kSteps = 24;
    const QPointF down(0, depth);
    const double turned = std::clamp(revealed, 0.0, 360.0);
    const double end = start + turned;
    QPolygonF outline;
    outline << centre;
    for (int step = 0; step < kSteps; ++step)
        outline << pointAt(start + turned * step / kSteps, kReach) + down;
    const QPointF rim = pointAt(end);
    // Tops end at the leading radius. Where the rim faces the viewer, the walls end straight
    // below its rim point; on the far half the pie shows no wall there, and a step down from the
    // rim would uncover a tooth of the top beyond the leading radius. The outline keeps its
    // number of points either way.
    const QPointF wall = std::sin(radians(end)) > 0 ? down : QPointF();
    outline << centre + (rim - centre) * kReach + wall << rim + wall << rim;
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

} // namespace tivora::engine
