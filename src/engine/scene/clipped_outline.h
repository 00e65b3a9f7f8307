#pragma once

#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <vector>

namespace tivora::engine {

// Outlines cut to a rectangle before they are drawn. A value far beyond a fixed axis puts points
// millions of units off the stage; the painter's clip hides them, but Qt still strokes and fills
// the whole outline first, which takes it seconds. Cutting keeps every edge's direction, so what
// lies inside the rectangle is drawn exactly as before.

// The parts of an open line inside rect, each a run of points.
std::vector<QPolygonF> clippedPolyline(const QPolygonF& line, const QRectF& rect);

// A closed polygon cut to rect (a polygon that leaves and re-enters the rectangle keeps runs
// along its edge, which fill nothing visible inside it).
QPolygonF clippedPolygon(const QPolygonF& polygon, const QRectF& rect);

// Whether a segment passes through (or lies in) rect.
bool segmentCrosses(const QLineF& segment, const QRectF& rect);

} // namespace tivora::engine
