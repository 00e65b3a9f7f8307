#pragma once

#include <QColor>
#include <QRectF>
#include <memory>
#include <vector>

namespace tivora::engine {

class GroupNode;
struct SeriesData;

// The row (or rows) of series names above the plot of a graph with more than one named series.
// Names that would take more than a few rows are left out and counted: "+ 12 more".
class LegendLayout {
public:
    LegendLayout(const SeriesData& data, const QRectF& box);

    std::size_t hiddenCount() const { return m_hidden; }
    std::size_t shownCount() const { return m_entries.size(); }
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
    std::size_t m_hidden = 0;
    QPointF m_moreAnchor;
    double m_height = 0.0;
    QRectF m_extent;
};

} // namespace tivora::engine
