#include "engine/series/dense_lines_node.h"

#include "engine/scene/device_pixels.h"
#include "engine/scene/fingerprint.h"
#include "engine/scene/line_canvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace tivora::engine {
namespace {

// The device pixels a clip rectangle keeps: those whose centres it holds, as Qt clips.
QRect pixelsWithin(const QRectF& rect) {
    return QRect(QPoint(int(std::lround(rect.left())), int(std::lround(rect.top()))),
                 QPoint(int(std::lround(rect.right())) - 1, int(std::lround(rect.bottom())) - 1));
}

} // namespace

void DenseLinesNode::add(std::unique_ptr<LineSeriesNode> line) {
    m_lines.push_back(std::move(line));
}

bool DenseLinesNode::fitCanvasOn(const QPainter& painter) const {
    // Only a picture's own size bounds what the canvas must cover.
    const QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image ||
        !paintsUprightPixels(painter) || !painter.testRenderHint(QPainter::Antialiasing))
        return false;
    const double scale = deviceScaleOf(painter.deviceTransform());
    return std::ranges::all_of(
        m_lines, [scale](const auto& line) { return line->canvasLineWidth(scale).has_value(); });
}

void DenseLinesNode::inspect(DrawnItems& items, Millis time) const {
    for (const auto& line : m_lines)
        line->inspect(items, time);
}

std::vector<ValueMark> DenseLinesNode::valueMarks() const {
    std::vector<ValueMark> marks;
    if (!m_marksValues)
        return marks;
    for (const auto& line : m_lines)
        std::ranges::move(line->valueMarks(), std::back_inserter(marks));
    return marks;
}

void DenseLinesNode::paint(QPainter& painter, Millis time) const {
    if (!fitCanvasOn(painter)) {
        for (const auto& line : m_lines) {
            painter.save();
            line->paint(painter, time);
            painter.restore();
        }
        return;
    }
    const QTransform toDevice = painter.deviceTransform();
    QRectF reach;
    for (const auto& line : m_lines)
        reach |= line->clip();
    const QRect picture = static_cast<const QImage*>(painter.device())->rect();
    LineCanvas canvas(pixelsWithin(toDevice.mapRect(reach)) & picture);
    for (const auto& line : m_lines)
        line->addLines(canvas, toDevice, time);
    const QPoint at = canvas.area().topLeft();
    drawDevicePixels(painter, canvas.finish(), at);
    // Markers are few and round: Qt paints them, over all the lines.
    for (const auto& line : m_lines)
        line->paintMarkers(painter, time);
}

Millis DenseLinesNode::endTime() const {
    return latestEndTime(m_lines);
}

std::optional<std::size_t> DenseLinesNode::settledFingerprint() const {
    Fingerprint fingerprint;
    if (!fingerprint.addSettled(m_lines))
        return std::nullopt;
    return fingerprint.value();
}

} // namespace tivora::engine
