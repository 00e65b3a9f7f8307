#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"
#include "engine/series/plot_geometry.h"

#include <QColor>
#include <QPolygonF>
#include <cstdint>
#include <vector>

namespace tivora::engine {

class LineCanvas;
struct Series;
class ValueLabelLayout;

// Areas are drawn in two passes, every fill first and every outline over them, so that where
// see-through areas overlap each one's edge still shows in its own colour, as the legend does.
enum class AreaPass { Fill, Outline };

// A line or area series: its points rise from the baseline to their values as the series grows.
// A cell without a number breaks the line (and the area) into runs.
class LineSeriesNode : public SceneNode {
public:
    // number: the series' place in the graph, from 1. An area draws only the part pass names; a
    // line ignores it.
    LineSeriesNode(const Series& series, int number, const PlotGeometry& geometry,
                   AreaPass pass = AreaPass::Fill);

    // The labels of the points, above them and clear of the line, when the series shows its
    // values; the markers in any case, so that no other label covers them.
    void addValueLabels(const Series& series, std::size_t track, const QColor& plotBackground,
                        ValueLabelLayout& labels) const;
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_growth.endTime(); }
    // Where the line is kept: the plot, and room for the pen around it.
    QRectF clip() const;
    // How wide its line is in device pixels, drawn at deviceScale device pixels to a stage unit,
    // when the series is a line (not an area), which a LineCanvas can draw; its markers are
    // then painted by paintMarkers.
    std::optional<double> canvasLineWidth(double deviceScale) const;
    // Its line at time, added to the canvas, mapped to device pixels by toDevice.
    void addLines(LineCanvas& canvas, const QTransform& toDevice, Millis time) const;
    // How much of the stage its line covers once grown: its length times its width.
    double ink() const;
    // The markers on its points at time, if it shows any.
    void paintMarkers(QPainter& painter, Millis time) const;
    std::optional<std::size_t> settledFingerprint() const override;
    void inspect(DrawnItems& items, Millis time) const override;
    // A disc around each point where it stands at the end, at least as large as a fingertip's
    // aim needs, within the plot.
    std::vector<ValueMark> valueMarks() const override;

private:
    struct Run {
        std::vector<double> xs;
        std::vector<double> values;
        std::vector<int> columns;
    };
    double markerRadius() const;
    // Where its outlines are cut: a little beyond the clip.
    QRectF keptArea() const;
    bool hasShine() const { return !m_area && m_penWidth >= 3.0; }
    // The points of the run from first up to end, where the line stands at grown of its way up.
    QPolygonF areaOf(const Run& run, const QPolygonF& points) const;
    void paintMarkers(QPainter& painter, const QPolygonF& points, const QRectF& kept) const;
    QPolygonF pointsAt(const Run& run, double grown, std::ptrdiff_t first = 0,
                       std::ptrdiff_t end = PTRDIFF_MAX) const;

    int m_number;
    PlotGeometry m_geometry;
    Track m_growth;
    bool m_area;
    AreaPass m_pass;
    QColor m_color;
    QColor m_lineColor;
    double m_penWidth;
    bool m_markers;
    std::vector<Run> m_runs;
};

} // namespace tivora::engine
