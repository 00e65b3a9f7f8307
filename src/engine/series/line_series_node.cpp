#include "engine/series/line_series_node.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/clipped_outline.h"
#include "engine/scene/device_pixels.h"
#include "engine/scene/drawn_items.h"
#include "engine/scene/fingerprint.h"
#include "engine/scene/growth.h"
#include "engine/scene/line_canvas.h"
#include "engine/series/series_data.h"
#include "engine/series/value_label_layout.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

// The editor offers line widths up to 99 with 10 as the default. Drawn at 0.4 stage units each, the
// default line is 4 units wide and the widest 16: thick enough to read as a pipe, thin enough not
// to cover the neighbouring columns.
double penWidthFor(double lineWidth) {
    return std::clamp(lineWidth * 0.4, 1.0, 16.0);
}

// A light streak along a pipe-like line: its colour, and its width and lift as parts of the
// line's width.
const QColor kShine(255, 255, 255, 90);
constexpr double kShineWidth = 0.3;
constexpr double kShineLift = 0.18;

// Point markers only where columns are wide enough for them to stay apart.
constexpr double kNarrowestMarkedColumn = 14.0;

} // namespace

LineSeriesNode::LineSeriesNode(const Series& series, int number, const PlotGeometry& geometry,
                               AreaPass pass)
    : m_number(number)
    , m_geometry(geometry)
    , m_growth(growthTrack(series.speed))
    , m_area(series.type == SeriesType::Area)
    , m_pass(pass)
    , m_color(withOpacity(series.color, series.opacity))
    , m_lineColor(m_area ? withOpacity(series.color, 100) : m_color)
    // Where columns are narrower than the pipe, a pipe would only smear neighbouring points into
    // one band: such dense lines are drawn thin, which is also the one width that stays quick to
    // draw for a thousand jagged points.
    , m_penWidth(
          m_area ? 1.5
                 : std::min(penWidthFor(series.lineWidth), std::max(1.0, geometry.slotWidth() / 2)))
    , m_markers(!m_area && geometry.slotWidth() >= kNarrowestMarkedColumn) {
    Run run;
    for (int column = 0; column < int(series.values.size()); ++column) {
        const double value = series.values[std::size_t(column)];
        if (std::isnan(value)) {
            if (!run.xs.empty())
                m_runs.push_back(std::move(run));
            run = {};
            continue;
        }
        run.xs.push_back(geometry.columnCentre(column));
        run.values.push_back(value);
        run.columns.push_back(column);
    }
    if (!run.xs.empty())
        m_runs.push_back(std::move(run));
}

std::optional<std::size_t> LineSeriesNode::settledFingerprint() const {
    // Settled, every point stands at its value: the growth track no longer matters.
    Fingerprint fingerprint;
    fingerprint.add(m_geometry.plot)
        .add(m_geometry.scale.min)
        .add(m_geometry.scale.max)
        .add(double(m_area))
        .add(double(m_pass))
        .add(m_color)
        .add(m_penWidth)
        .add(double(m_markers));
    for (const Run& run : m_runs) {
        fingerprint.add(double(run.xs.size()))
            .addAll(std::span<const double>(run.xs))
            .addAll(std::span<const double>(run.values));
    }
    return fingerprint.value();
}

QRectF LineSeriesNode::clip() const {
    return m_geometry.plot.adjusted(-m_penWidth, -m_penWidth, m_penWidth, m_penWidth);
}

QRectF LineSeriesNode::keptArea() const {
    // Outlines are cut a little beyond the clip, so their cut ends and joins are never seen.
    const double margin = 2 * m_penWidth + 2;
    return clip().adjusted(-margin, -margin, margin, margin);
}

std::optional<double> LineSeriesNode::canvasLineWidth(double deviceScale) const {
    if (m_area)
        return std::nullopt;
    return m_penWidth * deviceScale;
}

void LineSeriesNode::addLines(LineCanvas& canvas, const QTransform& toDevice, Millis time) const {
    const double grown = m_growth.at(time);
    const QRgb colour = qPremultiply(m_color.rgba());
    const QRgb shine = qPremultiply(kShine.rgba());
    const double width = m_penWidth * deviceScaleOf(toDevice);
    // Only the points over the canvas, and one either side of them, reach its pixels: a canvas
    // may be one part of the picture.
    const QRectF reached = toDevice.inverted().mapRect(QRectF(canvas.area()));
    for (const Run& run : m_runs) {
        const auto first = std::ranges::lower_bound(run.xs, reached.left());
        const auto last = std::ranges::upper_bound(run.xs, reached.right());
        const QPolygonF points =
            pointsAt(run, grown, first - run.xs.begin() - 1, last - run.xs.begin() + 1);
        canvas.addPolyline(points, toDevice, colour, width);
        if (hasShine()) {
            canvas.addPolyline(points.translated(0, -m_penWidth * kShineLift), toDevice, shine,
                               width * kShineWidth);
        }
    }
}

std::vector<ValueMark> LineSeriesNode::valueMarks() const {
    constexpr double kSmallestMarkRadius = 6.0;
    const double radius = std::max(markerRadius(), kSmallestMarkRadius);
    QPainterPath plot;
    plot.addRect(m_geometry.plot);
    std::vector<ValueMark> marks;
    for (const Run& run : m_runs) {
        const QPolygonF points = pointsAt(run, 1.0);
        for (qsizetype i = 0; i < points.size(); ++i) {
            QPainterPath disc;
            disc.addEllipse(points[i], radius, radius);
            marks.push_back({disc.intersected(plot), std::size_t(m_number - 1),
                             std::size_t(run.columns[std::size_t(i)])});
        }
    }
    return marks;
}

double LineSeriesNode::markerRadius() const {
    return std::max(m_penWidth * 0.75, 2.5);
}

void LineSeriesNode::addValueLabels(const Series& series, std::size_t track,
                                    const QColor& plotBackground, ValueLabelLayout& labels) const {
    const bool labelled =
        series.showValues && ValueLabelLayout::canFit(m_geometry.slotWidth() * 0.95);
    const double radius = m_markers ? markerRadius() : 0.0;
    const double baseY = m_geometry.y(m_geometry.scale.baseline());
    const QColor color = readableOn(series.labelColor, plotBackground, kSmallTextContrast);
    for (const Run& run : m_runs) {
        const QPolygonF points = pointsAt(run, 1.0);
        if (m_area)
            labels.addSurface(areaOf(run, points), track);
        // No label is put across a line, its own or another's.
        for (qsizetype i = 1; i < points.size(); ++i)
            labels.addSegment({points[i - 1], points[i]}, m_penWidth / 2);
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QPointF point = points[i];
            if (m_markers) {
                labels.addMarker(
                    QRectF(point.x() - radius, point.y() - radius, 2 * radius, 2 * radius));
            }
            if (!labelled || !m_geometry.plot.adjusted(0, -0.5, 0, 0.5).contains(point))
                continue;
            ValueLabelSource label;
            label.value = run.values[std::size_t(i)];
            label.decimals = series.decimals[std::size_t(run.columns[std::size_t(i)])];
            label.tip = point;
            label.rootY = baseY;
            label.room = m_geometry.slotWidth() * 0.95;
            label.outsideClearance = std::max(radius, m_penWidth / 2);
            label.outsideColor = color;
            label.outsideHalo = plotBackground;
            label.pixels = ValueLabelLayout::askedPixels(series.labelPixels);
            label.track = track;
            label.column = run.columns[std::size_t(i)];
            label.counts = series.countValues;
            labels.add(label);
        }
    }
}

QPolygonF LineSeriesNode::pointsAt(const Run& run, double grown, std::ptrdiff_t first,
                                   std::ptrdiff_t end) const {
    const double baseline = m_geometry.scale.baseline();
    const auto from = std::size_t(std::max<std::ptrdiff_t>(first, 0));
    const auto to = std::min(std::size_t(std::max<std::ptrdiff_t>(end, 0)), run.xs.size());
    // Filled in place: appending point by point cost more than working the points out.
    QPolygonF points(qsizetype(to > from ? to - from : 0));
    QPointF* point = points.data();
    const auto yOf = m_geometry.yOfEach();
    for (std::size_t i = from; i < to; ++i, ++point)
        *point = {run.xs[i], yOf(baseline + (run.values[i] - baseline) * grown)};
    return points;
}

// The area as its outline, the line as its points, and each marker; the clip to the plot is left
// out, as a reader checks what the series reaches for.
QPolygonF LineSeriesNode::areaOf(const Run& run, const QPolygonF& points) const {
    const double baseY = m_geometry.y(m_geometry.scale.baseline());
    QPolygonF area = points;
    area.append({run.xs.back(), baseY});
    area.prepend({run.xs.front(), baseY});
    return area;
}

void LineSeriesNode::inspect(DrawnItems& items, Millis time) const {
    const double grown = m_growth.at(time);
    for (const Run& run : m_runs) {
        const QPolygonF points = pointsAt(run, grown);
        if (m_area && m_pass == AreaPass::Fill) {
            items.addPolyline({ItemKind::Area, m_number, 0, {}}, areaOf(run, points), m_color);
            continue;
        }
        items.addPolyline({ItemKind::Line, m_number, 0, {}}, points, m_lineColor);
        if (!m_markers)
            continue;
        const double radius = markerRadius();
        for (qsizetype i = 0; i < points.size(); ++i) {
            items.addShape(
                {ItemKind::Point, m_number, run.columns[std::size_t(i)] + 1, {}},
                QRectF(points[i].x() - radius, points[i].y() - radius, 2 * radius, 2 * radius),
                m_color);
        }
    }
}

void LineSeriesNode::paint(QPainter& painter, Millis time) const {
    const double grown = m_growth.at(time);
    painter.setClipRect(clip(), Qt::IntersectClip);
    const QRectF kept = keptArea();
    for (const Run& run : m_runs) {
        const QPolygonF points = pointsAt(run, grown);
        if (m_area && m_pass == AreaPass::Fill) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_color);
            painter.drawPolygon(clippedPolygon(areaOf(run, points), kept));
            continue;
        }
        QPen pen(m_lineColor, m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        if (points.size() == 1 && !m_markers)
            painter.drawPoint(points.front());
        const std::vector<QPolygonF> pieces = clippedPolyline(points, kept);
        for (const QPolygonF& piece : pieces)
            painter.drawPolyline(piece);
        if (hasShine()) {
            // A light streak along the line gives it the look of a pipe.
            QPen shine(kShine, m_penWidth * kShineWidth, Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
            painter.setPen(shine);
            for (const QPolygonF& piece : pieces)
                painter.drawPolyline(piece.translated(0, -m_penWidth * kShineLift));
        }
        paintMarkers(painter, points, kept);
    }
}

void LineSeriesNode::paintMarkers(QPainter& painter, const QPolygonF& points,
                                  const QRectF& kept) const {
    if (!m_markers)
        return;
    painter.setPen(QPen(m_color.darker(130), 1.0));
    painter.setBrush(Qt::white);
    const double radius = markerRadius();
    for (const QPointF& point : points) {
        if (kept.contains(point))
            painter.drawEllipse(point, radius, radius);
    }
}

double LineSeriesNode::ink() const {
    double length = 0.0;
    for (const Run& run : m_runs) {
        const QPolygonF points = pointsAt(run, 1.0);
        for (qsizetype i = 1; i < points.size(); ++i)
            length += QLineF(points[i - 1], points[i]).length();
    }
    return length * m_penWidth;
}

void LineSeriesNode::paintMarkers(QPainter& painter, Millis time) const {
    if (!m_markers)
        return;
    painter.save();
    painter.setClipRect(clip(), Qt::IntersectClip);
    for (const Run& run : m_runs)
        paintMarkers(painter, pointsAt(run, m_growth.at(time)), keptArea());
    painter.restore();
}

} // namespace tivora::engine
