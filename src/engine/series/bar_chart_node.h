#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"
#include "engine/series/plot_geometry.h"

#include <QBrush>
#include <QColor>
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

    // The widest a bar is drawn, however few the columns: wider slabs read as blocks, not bars.
    static constexpr double kWidestBar = 64.0;

private:
    struct Bar {
        double left;
        double width;
        int column;
        double value;
    };
    struct BarSeries {
        std::size_t source; // index in the graph's series
        Track growth;
        QBrush body;
        QBrush cap;
        QColor flat;
        std::vector<Bar> bars;
        bool stacks = false;
    };
    // Where one bar stands at a moment, in stage units.
    struct BarSpan {
        double tip;            // the value's end
        double base;           // the end it grows from
        bool tipOuter = true;  // nothing stacked beyond the tip: the cylinder's end shows there
        bool baseOuter = true; // standing on the baseline: the cylinder's other end shows there
        bool clipped = false;  // cut at the plot's edge: the value lies beyond the axis
    };

    void addSeries(const Series& series, std::size_t source, double left, double width,
                   bool stacks);
    std::vector<BarSpan> spans(Millis time) const;
    void paintBar(QPainter& painter, const BarSeries& series, const Bar& bar,
                  const BarSpan& span) const;

    PlotGeometry m_geometry;
    std::vector<BarSeries> m_series;
};

} // namespace tivora::engine
