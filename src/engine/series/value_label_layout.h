#pragma once

#include "engine/scene/track.h"
#include "engine/series/value_labels_node.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
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
    double insideWidth = 0.0;      // the bar's width: a wider label overhangs it
    double insideClearance = 0.0;  // from the tip to an inside label (the bar's lit cap)
    double outsideClearance = 0.0; // from the tip to a label outside (a marker, the line)
    bool insideOnly = false;       // stacked segments have no room outside
    // The text's colour inside the bar and outside it, and the colour each stands on (its halo).
    QColor insideColor;
    QColor outsideColor;
    QColor insideHalo;
    QColor outsideHalo;
    bool insidePill = false; // no text colour reads on the bar itself: a pill carries it
    double pixels = 0.0;     // the size its series asks for; 0 for the layout's own
    std::size_t track = 0;   // the series' place in the graph, from 0
    int column = 0;
    bool counts = false;
};

// Decides the value labels of a whole graph: the labels of one series share one size, as large as
// the series asks (never larger than the header) and shrunk together only when the widest needs
// it, never below a readable size unless asked; a label too wide for its room at that size shows
// its short form ("1.2M") or, failing that, is dropped. Each label goes inside its bar or above
// its point when there is room, else to the other side, and never over the plot's edge, another
// label, a marker, another series' bar (or the place just beyond its end, where a label would
// read as that bar's value) or a line; one that finds no place is dropped.
class ValueLabelLayout {
public:
    ValueLabelLayout(const QRectF& plot, double pixelSize, double columnWidth);

    // Whether a label could ever be read in so little room: not even one digit fits otherwise.
    static bool canFit(double room);

    void addMarker(const QRectF& marker);
    // A bar of the series of track, at rest: no other series' label goes over it or beyond its
    // end; reach says how far beyond (a label's height).
    void addBar(const QRectF& bar, bool upward, std::size_t track);
    // A segment of a line drawn reach wide either side: no label crosses it.
    void addSegment(const QLineF& segment, double reach);
    // A filled area of the series of track: another series' label over it stands on a pill.
    void addSurface(const QPolygonF& area, std::size_t track);
    void add(const ValueLabelSource& source);
    // The darkest the plot gets under its shading: an outside label whose colour does not read
    // there stands on a pill of the plot's own colour.
    void setDarkestGround(const QColor& darkest) { m_darkestGround = darkest; }
    // The height a label of pixels size takes, for the room kept beyond bars.
    static double labelHeight(double pixels);
    // The pixel size of labels whose series asks for size in the series grid: the grid's
    // default (25) and anything from 12 draws at the axis numbers' size, larger sizes grow from
    // there at half the pace, and smaller ones are taken as they are.
    static double askedPixels(double gridSize);
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
    struct Mark {
        QRectF rect;
        std::size_t track;
    };
    double pixelsOf(const ValueLabelSource& source) const;
    std::vector<Measured> measure() const;
    // The size each series' labels take, by track.
    std::map<std::size_t, int> fittingPixels(const std::vector<Measured>& measured) const;
    std::vector<Candidate> candidates(const ValueLabelSource& source, QSizeF size) const;
    bool isFree(QRectF rect, std::size_t track,
                const std::map<int, std::vector<QRectF>>& taken) const;
    bool crossesSegment(const QRectF& rect) const;
    // Whether a label at rect would not stand on the one colour it was chosen for, and so needs
    // a pill of that colour under it.
    bool needsPill(const QRectF& rect, bool inside, const ValueLabelSource& source) const;
    // Files item under every column bucket the span left..right reaches.
    template <typename Item>
    void file(double left, double right, const Item& item,
              std::map<int, std::vector<Item>>& filed) const;

    QRectF m_plot;
    double m_pixelSize;
    // How far beyond a bar's end its own label reaches: measured once, as a large graph files
    // tens of thousands of bars and measuring a font is costly.
    double m_barReach;
    double m_bucket; // labels and markers are found by the column they lie in
    std::vector<ValueLabelSource> m_sources;
    std::map<int, std::vector<QRectF>> m_markers;
    std::map<int, std::vector<Mark>> m_bars;
    struct Segment {
        QLineF line;
        double reach;
    };
    std::map<int, std::vector<Segment>> m_segments;
    struct Surface {
        QPolygonF area;
        std::size_t track;
    };
    std::vector<Surface> m_surfaces;
    QColor m_darkestGround;
};

} // namespace tivora::engine
