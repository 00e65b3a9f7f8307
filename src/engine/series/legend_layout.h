#pragma once

#include <QColor>
#include <QRectF>
#include <memory>
#include <vector>

namespace tivora::engine {

class GroupNode;
struct SeriesData;

// The row (or rows) of series names above the plot of a graph with more than one named series.
// A graph with so many series that the names would take more than a few rows has no legend.
class LegendLayout {
public:
    LegendLayout(const SeriesData& data, const QRectF& box);

    // The room the legend takes at the top of the box; 0 without a legend.
    double height() const { return m_height; }
    QRectF extent() const { return m_extent; }
    void addTo(GroupNode& group, const QColor& textColor) const;

private:
    struct Entry {
        QRectF swatch;
        QPointF textAnchor;
        std::size_t series;
    };
    const SeriesData& m_data;
    std::vector<Entry> m_entries;
    double m_height = 0.0;
    QRectF m_extent;
};

} // namespace tivora::engine
