#pragma once

#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QRgb>
#include <QTransform>
#include <vector>

namespace tivora::engine {

// Draws many antialiased polylines, each over the ones before it.
// Qt strokes one-pixel lines pixel by pixel through its general blending, and wider ones through
// an outline of the whole line, which for a thousand jagged points takes seconds; a hundred such
// series make some six million cells of pixels, most of them hidden by the lines in front. Here
// the lines are drawn front to back, each pair of pixels across a line costs a handful of
// operations, and pixels the lines in front already cover are only looked at.
//
// A line covers, in every row it crosses (every column, where it runs flatter than steep), its
// breadth across that row centred on the line, split between the pixels by the share of each it
// covers, and reaches half its width past its own ends. One pixel wide, it is drawn as Qt draws
// thin lines: one pixel broad at any slope, sharing the rows (columns) at the ends of a segment
// with the segments it joins. Wider, it is as broad as its width measured square to it, its
// segments take the rows whose middles they cross, and reach half the width past its corners;
// from three pixels on, its corners are rounded by a dot as wide as the line instead. Where a
// see-through line overlaps itself, each pixel takes the line's colour once.
class LineCanvas {
public:
    // The device pixels the lines may cover; whatever lies outside is cut off.
    explicit LineCanvas(QRect area);

    // A polyline given in the coordinates toDevice maps to device pixels, which must keep axes
    // upright, width device pixels wide (at least one). It lies over every polyline added before
    // it. A single point shows as a dot.
    void addPolyline(const QPolygonF& points, const QTransform& toDevice, QRgb premultiplied,
                     double width = 1.0);
    QRect area() const { return m_area; }
    // The pixels of area with every polyline drawn: premultiplied, transparent where no line
    // passes. The canvas takes no more polylines after it.
    QImage finish();

private:
    struct Polyline {
        std::size_t first; // in m_points
        std::size_t end;
        QRgb colour;
        double width;
    };
    QRect m_area;
    std::vector<QPointF> m_points; // device pixels, from the area's top left corner
    std::vector<Polyline> m_polylines;
};

} // namespace tivora::engine
