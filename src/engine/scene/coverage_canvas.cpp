#include "engine/scene/coverage_canvas.h"

#include <algorithm>
#include <utility>

namespace tivora::engine {

CoverageCanvas::CoverageCanvas(QRect area)
    : m_area(area.normalized())
    , m_picture(m_area.size().expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied)
    , m_changes(std::size_t(std::max(m_area.height(), 0)) + 1, Channels{}) {
    m_picture.fill(Qt::transparent);
}

void CoverageCanvas::fill(const QRectF& rect, QRgb premultiplied) {
    // Edge by edge rather than through QRectF's operators: this runs once per bar of the largest
    // graphs, and the edges may come in either order.
    const double left = std::max(std::min(rect.left(), rect.right()), double(m_area.left()));
    const double right = std::min(std::max(rect.left(), rect.right()), m_area.right() + 1.0);
    const double above = std::max(std::min(rect.top(), rect.bottom()), double(m_area.top()));
    const double below = std::min(std::max(rect.top(), rect.bottom()), m_area.bottom() + 1.0);
    if (!(left < right && above < below) || qAlpha(premultiplied) == 0)
        return;
    // Inside the area every coordinate is at least 0, so whole parts are taken by truncation.
    const float start = std::max(float(left - m_area.left()), float(m_summed));
    const float end = float(right - m_area.left());
    if (!(start < end))
        return;
    sumColumnsBefore(int(start));
    const float top = float(above - m_area.top());
    const float bottom = float(below - m_area.top());
    const int firstRow = int(top);
    // The last row the rectangle reaches into: the one its bottom lies in, or the one above when
    // its bottom lies on a row's edge.
    const int bottomRow = int(bottom);
    const int lastRow = std::max(firstRow, float(bottomRow) == bottom ? bottomRow - 1 : bottomRow);
    std::array<float, 4> changes;
    if (firstRow == lastRow) {
        changes = {bottom - top, top - bottom, 0.0f, 0.0f};
    } else {
        const float firstShare = float(firstRow + 1) - top;
        const float lastShare = bottom - float(lastRow);
        changes = {firstShare, 1.0f - firstShare, lastShare - 1.0f, -lastShare};
    }
    m_reaching.push_back({start,
                          end,
                          firstRow,
                          lastRow,
                          changes,
                          {float(qAlpha(premultiplied)), float(qRed(premultiplied)),
                           float(qGreen(premultiplied)), float(qBlue(premultiplied))}});
}

QImage CoverageCanvas::finish() {
    sumColumnsBefore(m_area.width());
    // The pixels are the caller's now: whatever comes later falls outside an empty area.
    m_area = QRect(m_area.topLeft(), QSize(0, 0));
    m_reaching.clear();
    return std::exchange(m_picture, QImage());
}

void CoverageCanvas::sumColumnsBefore(int end) {
    for (; m_summed < end; ++m_summed) {
        if (m_reaching.empty()) {
            m_summed = end;
            return;
        }
        sumColumn(m_summed);
        const float next = float(m_summed + 1);
        std::erase_if(m_reaching, [next](const Piece& piece) { return piece.right <= next; });
    }
}

void CoverageCanvas::sumColumn(int column) {
    const float left = float(column);
    const auto add = [this](int row, float share, const Channels& colour) {
        Channels& change = m_changes[std::size_t(row)];
        for (std::size_t c = 0; c < 4; ++c)
            change[c] += share * colour[c];
    };
    int firstRow = m_area.height();
    int lastRow = -1;
    for (const Piece& piece : m_reaching) {
        const float across = std::min(piece.right, left + 1) - std::max(piece.left, left);
        Channels colour = piece.colour;
        for (float& channel : colour)
            channel *= across;
        add(piece.firstRow, piece.changes[0], colour);
        add(piece.firstRow + 1, piece.changes[1], colour);
        add(piece.lastRow, piece.changes[2], colour);
        add(piece.lastRow + 1, piece.changes[3], colour);
        firstRow = std::min(firstRow, piece.firstRow);
        lastRow = std::max(lastRow, piece.lastRow);
    }
    Channels sum{};
    // Written through the bits once per column: QImage's per-row access checks for sharing.
    const qsizetype bytesPerLine = m_picture.bytesPerLine();
    uchar* pixel = m_picture.bits() + std::ptrdiff_t(firstRow) * bytesPerLine +
                   std::ptrdiff_t(column) * std::ptrdiff_t(sizeof(QRgb));
    QRgb value = 0;
    for (int row = firstRow; row <= lastRow; ++row, pixel += bytesPerLine) {
        Channels& change = m_changes[std::size_t(row)];
        // Down the middle of tall rectangles nothing changes from row to row.
        if (change != Channels{}) {
            for (std::size_t c = 0; c < 4; ++c)
                sum[c] += change[c];
            change = {};
            // Sums are never below zero by more than a rounding error: adding a half rounds them,
            // for less than a call to std::lround costs in this loop.
            // NOLINTNEXTLINE(bugprone-incorrect-roundings)
            const int alpha = std::min(int(sum[0] + 0.5f), 255);
            const auto colour = [&](std::size_t c) {
                // NOLINTNEXTLINE(bugprone-incorrect-roundings): as alpha above
                return std::min(int(sum[c] + 0.5f), alpha);
            };
            value = qRgba(colour(1), colour(2), colour(3), alpha);
        }
        *reinterpret_cast<QRgb*>(pixel) = value;
    }
    if (lastRow >= firstRow)
        m_changes[std::size_t(lastRow) + 1] = {};
}

} // namespace tivora::engine
