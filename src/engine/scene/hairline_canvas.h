#pragma once

#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QRgb>
#include <QTransform>
#include <vector>

namespace tivora::engine {

// Draws many antialiased polylines one device pixel wide, each over the ones before it. Qt
// strokes such lines pixel by pixel through its general blending; a thousand jagged points of
// each of a hundred series make some six million pairs of pixels, most of them hidden by the
// lines in front. Here the lines are drawn front to back, each pair of pixels across a line
// costs a handful of operations, and a pair the lines in front already cover is only looked at.
//
// A line covers, in every row it crosses (every column, where it runs flatter than steep), one
// pixel's width split between the two pixels nearest its centre, as Qt's thin lines do; it
// shares the rows (columns) at its ends with the segments it joins.
class HairlineCanvas {
public:
    // The device pixels the lines may cover; whatever lies outside is cut off.
    explicit HairlineCanvas(QRect area);

    // A polyline given in the coordinates toDevice maps to device pixels, which must keep axes
    // upright. It lies over every polyline added before it. A single point shows as a dot.
    void addPolyline(const QPolygonF& points, const QTransform& toDevice, QRgb premultiplied);
    QRect area() const { return m_area; }
    // The pixels of area with every polyline drawn: premultiplied, transparent where no line
    // passes. The canvas takes no more polylines after it.
    QImage finish();

private:
    struct Polyline {
        std::size_t first; // in m_points
        std::size_t end;
        QRgb colour;
    };
    QRect m_area;
    std::vector<QPointF> m_points; // device pixels, from the area's top left corner
    std::vector<Polyline> m_polylines;
};

} // namespace tivora::engine
