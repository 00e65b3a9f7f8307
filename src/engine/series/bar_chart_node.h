#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"
#include "engine/series/plot_geometry.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStaticText>
#include <vector>

namespace tivora::engine {

struct Series;
struct SeriesData;

// Every bar series of a graph, side by side in each column or stacked, drawn as shaded cylinders
// that grow from the baseline, with their value labels. One node paints them all because a
// stacked segment stands on the segments below it as they are at that moment.
class BarChartNode : public SceneNode {
public:
    // plotBackground decides which label colours stand out above the bars.
    BarChartNode(const SeriesData& data, const PlotGeometry& geometry,
                 const QColor& plotBackground);

    bool isEmpty() const { return m_series.empty(); }
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;

private:
    struct Bar {
        double left;
        double width;
        int column;
        double value;
    };
    struct Label {
        QStaticText text;
        QColor insideColor;
        QColor outsideColor;
        QSizeF size;
        int decimals = 0;
        bool fitsInside = false;
        bool shown = false;
    };
    struct BarSeries {
        Track growth;
        QBrush body;
        QBrush cap;
        QColor flat;
        std::vector<Bar> bars;
        std::vector<Label> labels; // one per bar, or none
        QFont labelFont;
        bool countLabels = false;
        bool stacks = false;
    };

    void addSeries(const Series& series, double left, double width, bool stacks);
    void decideLabels(BarSeries& series, const Series& source, const QColor& plotBackground);
    std::vector<double> barTops(Millis time, std::vector<double>& bases) const;
    void paintBar(QPainter& painter, const BarSeries& series, const Bar& bar, double top,
                  double base) const;
    void paintLabels(QPainter& painter, Millis time, const std::vector<double>& tops,
                     const std::vector<double>& bases) const;

    PlotGeometry m_geometry;
    std::vector<BarSeries> m_series;
};

} // namespace tivora::engine
