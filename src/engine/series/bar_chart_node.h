#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"
#include "engine/series/plot_geometry.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <QTransform>
#include <cstdint>
#include <span>
#include <vector>

namespace tivora::engine {

struct Series;
struct SeriesData;
class ValueLabelLayout;

// Every bar series of a graph, side by side in each column or stacked, drawn as shaded cylinders
// that grow from the baseline. One node paints them all because a stacked segment stands on the
// segments below it as they are at that moment.
class BarChartNode : public SceneNode {
public:
    BarChartNode(const SeriesData& data, const PlotGeometry& geometry);

    bool isEmpty() const { return m_series.empty(); }
    // Bars too narrow to be drawn as cylinders are plain rectangles, which stretch exactly as
    // they grow from the baseline.
    bool isFlat() const;
    std::size_t barCount() const;
    // The labels of the series that show their values, as their bars stand at rest; plotBackground
    // decides which label colours stand out above the bars.
    void addValueLabels(const SeriesData& data, const QColor& plotBackground,
                        ValueLabelLayout& labels) const;
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;
    std::optional<std::size_t> settledFingerprint() const override;
    void inspect(DrawnItems& items, Millis time) const override;
    // Each bar as it stands at the end, within the plot.
    std::vector<ValueMark> valueMarks() const override;

    // The widest a bar is drawn, however few the columns: wider slabs read as blocks, not bars.
    static constexpr double kWidestBar = 64.0;

private:
    struct BarSeries {
        std::size_t source; // index in the graph's series
        double left;        // where its bars stand in a column's slot
        Track growth;
        QBrush body;
        QBrush cap;
        QColor flat;
        QRgb flatPixel;                  // flat, premultiplied
        std::vector<std::uint32_t> bars; // its bars in m_bars, column after column
    };
    struct Bar {
        double left;
        double value;
        int column;
        std::uint32_t series; // in m_series
    };
    // Where one bar stands at a moment, in stage units.
    struct BarSpan {
        double tip;            // the value's end
        double base;           // the end it grows from
        bool tipOuter = true;  // nothing stacked beyond the tip: the cylinder's end shows there
        bool baseOuter = true; // standing on the baseline: the cylinder's other end shows there
        bool clipped = false;  // cut at the plot's edge: the value lies beyond the axis
    };

    // Bars of whole columns, in the order of m_bars.
    using Bars = std::span<const Bar>;

    void addBars(const SeriesData& data);
    // Calls visit(bar, span) for each of bars as it stands at time.
    template <typename Visit> void forEachBar(Millis time, Bars bars, Visit&& visit) const;
    // The bars of the columns that reach into area (device pixels).
    Bars barsOver(QRect area, const QTransform& toPixels) const;
    // Where every bar stands at time, in the order of m_bars.
    std::vector<BarSpan> spans(Millis time) const;
    // The part of the plot a bar covers; empty when it is too short to draw.
    QRectF bodyOf(const Bar& bar, const BarSpan& span) const;
    void paintBar(QPainter& painter, const BarSeries& series, const Bar& bar,
                  const BarSpan& span) const;
    // Flat bars on pixels are summed into one picture, however many share a pixel.
    void paintFlatBars(QPainter& painter, Millis time) const;
    // The picture of the bars over area (device pixels).
    QImage summedBars(Millis time, const QTransform& toPixels, QRect area) const;

    PlotGeometry m_geometry;
    std::vector<BarSeries> m_series;
    // Every bar column after column from the left, and series after series within a column: the
    // order they lie in along the plot, in which a stacked bar stands on those before it.
    std::vector<Bar> m_bars;
    double m_barWidth = 0.0;
    bool m_stacked = false;
};

} // namespace tivora::engine
