#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <array>
#include <vector>

namespace tivora::engine {

// Draws many solid rectangles, upright and side by side, by adding up the exact share of each
// device pixel every rectangle covers. Qt's raster engine costs a full antialiased fill per
// rectangle, however little of a pixel it covers, and blends each over the last, which lets
// rectangles that share a pixel show the background through their common edge. Here a hundred
// thousand bars far narrower than a pixel cost a few additions each, and the picture holds
// exactly the colours they cover. The sums are exact only where rectangles do not overlap.
//
// Rectangles come in order of their left edges, so each column of pixels is summed as soon as
// nothing more can reach it, and only the rectangles crossing one column are held at a time.
class CoverageCanvas {
public:
    // The device pixels the rectangles may cover; whatever lies outside is cut off.
    explicit CoverageCanvas(QRect area);

    // A rectangle in device pixels, filled with a premultiplied colour. Whatever of it lies left
    // of an earlier rectangle's left edge is left out.
    void fill(const QRectF& rect, QRgb premultiplied);
    QRect area() const { return m_area; }
    // The pixels of area once every rectangle is in: premultiplied, transparent where nothing
    // was filled. The canvas takes no more rectangles after it.
    QImage finish();

private:
    using Channels = std::array<float, 4>; // alpha, red, green, blue
    // A rectangle as it lies in the area. Down a column of pixels the share it covers ramps up
    // over its first row, stays whole, and ramps down over its last row, so it changes only at
    // those rows and the rows after them: the sums run down each column from these changes.
    struct Piece {
        float left, right;
        int firstRow, lastRow;
        std::array<float, 4> changes; // at firstRow, firstRow + 1, lastRow, lastRow + 1
        Channels colour;
    };
    // Writes every column left of end into the picture.
    void sumColumnsBefore(int end);
    void sumColumn(int column);

    QRect m_area;
    QImage m_picture;
    std::vector<Piece> m_reaching; // the rectangles that reach the next column to sum
    std::vector<Channels> m_changes;
    int m_summed = 0; // the columns left of this one are in the picture
};

} // namespace tivora::engine
