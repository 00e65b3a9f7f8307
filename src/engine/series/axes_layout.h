#pragma once

#include "engine/scene/placed_text.h"
#include "engine/series/plot_geometry.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tivora::engine {

class GraphText;
class GroupNode;

// Titles, colours, fonts and offsets of one axis as the graph text gives them.
struct AxisLook {
    QString title;
    QColor titleColor;
    QColor labelColor;
    QColor lineColor;
    int titlePixels = 10;
    int labelPixels = 10;
    QPointF titleOffset;
    QPointF labelOffset;
};

// Decides where the plot of a series graph lies inside its box once room is made for the axis
// numbers, the column labels and the two axis titles, and lays those out: numbers thinned so they
// never touch, column labels thinned to the graph's maximum and then turned or thinned further
// until they do not overlap.
class AxesLayout {
public:
    AxesLayout(const GraphText& text, const std::vector<QString>& columnLabels,
               const AxisScale& scale, const QRectF& box);

    const PlotGeometry& geometry() const { return m_geometry; }
    // Everything the axes draw, offsets included: what must stay on the stage.
    QRectF extent() const { return m_extent; }
    // The grid behind the series and the axes, numbers, labels and titles in front of them.
    void addGrid(GroupNode& group) const;
    void addAxes(GroupNode& group) const;

private:
    struct ColumnLabelPlan {
        int every = 1;
        bool turned = false;
        QFont font;
        double longest = 0.0; // widest text after shortening
        double depth = 0.0;   // room the labels take below the axis
        // The lines of each shown label, when they are wrapped rather than turned.
        std::vector<QStringList> wrapped;
    };
    ColumnLabelPlan planColumnLabels(double plotWidth, double boxHeight) const;
    // The shown labels, every every-th, wrapped whole into at most a few lines of width, or
    // nothing when one of them would have to be cut.
    std::optional<std::vector<QStringList>> wrappedLabels(int every, double width,
                                                          const QFont& font) const;
    int numberEvery(double plotHeight, double numberHeight) const;
    // The values that carry a number, a tick and a grid line.
    std::vector<double> markedValues() const;
    QString markedLabel(std::size_t markedIndex) const;
    void placeNumbers();
    void placeColumnLabels(const ColumnLabelPlan& plan);
    void placeWrappedColumnLabels(const ColumnLabelPlan& plan, double top);
    void placeTitles(double columnLabelDepth);

    AxisLook m_x;
    AxisLook m_y;
    QColor m_gridColor;
    int m_mostColumnLabels = 0;
    std::vector<QString> m_columnLabels;
    QRectF m_box;
    PlotGeometry m_geometry;
    QFont m_numberFont;
    int m_numberEvery = 1;
    std::vector<QString> m_tickLabels; // one per tick of the scale
    std::vector<PlacedText> m_texts;
    QRectF m_extent;
};

} // namespace tivora::engine
