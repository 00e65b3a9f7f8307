#pragma once

#include "engine/scene/track.h"
#include "engine/series/value_labels_node.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <map>
#include <memory>
#include <vector>

namespace tivora::engine {

// One value that asks for a label: the end of a bar or a point of a line, at rest.
struct ValueLabelSource {
    double value = 0.0;
    int decimals = 0;
    QPointF tip;        // the bar's value end or the point
    double rootY = 0.0; // where the tip grows from
    double room = 0.0;  // the widest the label may be
    // Room inside a bar below its tip (0 for a point); a label goes inside when it fits there.
    double insideDepth = 0.0;
    double insideClearance = 0.0;  // from the tip to an inside label (the bar's lit cap)
    double outsideClearance = 0.0; // from the tip to a label outside (a marker, the line)
    bool insideOnly = false;       // stacked segments have no room outside
    QColor insideColor;
    QColor outsideColor;
    std::size_t track = 0;
    bool counts = false;
};

// Decides the value labels of a whole graph: one size for all of them, as large as asked (never
// larger than the header) and shrunk together only when the widest needs it; a label too wide
// for its room at that size shows its short form ("1.2M") or, failing that, is dropped. Each
// label goes inside its bar or above its point when there is room, else to the other side, and
// never over the plot's edge, another label or a marker; one that finds no place is dropped.
class ValueLabelLayout {
public:
    ValueLabelLayout(const QRectF& plot, double pixelSize, double columnWidth);

    // Whether a label could ever be read in so little room: not even one digit fits otherwise.
    static bool canFit(double room);

    void addMarker(const QRectF& marker);
    void add(const ValueLabelSource& source);
    // Nothing when no label found a place.
    std::unique_ptr<ValueLabelsNode> build(std::vector<Track> tracks) const;

private:
    struct Measured {
        std::size_t source;
        QString full;
        QString shortForm;
        double fullWidth;
        double shortWidth;
    };
    struct Candidate {
        QRectF rect;
        bool inside = false;
    };
    std::vector<Measured> measure() const;
    int fittingPixels(const std::vector<Measured>& measured) const;
    std::vector<Candidate> candidates(const ValueLabelSource& source, QSizeF size) const;
    bool isFree(QRectF rect, const std::map<int, std::vector<QRectF>>& taken) const;
    static void take(const QRectF& rect, std::map<int, std::vector<QRectF>>& taken, double bucket);

    QRectF m_plot;
    double m_pixelSize;
    double m_bucket; // labels and markers are found by the column they lie in
    std::vector<ValueLabelSource> m_sources;
    std::map<int, std::vector<QRectF>> m_markers;
};

} // namespace tivora::engine
