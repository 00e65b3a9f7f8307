#pragma once

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <vector>

class QPainterPath;

namespace tivora::engine {

// What a drawn thing is to a reader of the picture.
enum class ItemKind {
    Header,
    Footer,
    AxisTitle,
    AxisLabel,
    XLabel,
    LegendText,
    LegendKey,
    ValueLabel,
    PieLabel,
    Note,
    NoteText,
    Bar,
    Slice,
    Line,
    Point,
    Area,
};

// The name of a kind as the inspector writes it ("value-label").
QString kindName(ItemKind kind);
bool isTextKind(ItemKind kind);

// What layout knows about a drawn thing beyond its look: its kind, the series (or slice) and
// column it belongs to (1-based, 0 for none) and, for a text, the text before any shortening.
struct ItemTag {
    ItemKind kind = ItemKind::Header;
    int series = 0;
    int column = 0;
    QString fullText;
};

// One thing as drawn, in the picture's pixels.
struct DrawnItem {
    ItemTag tag;
    QRectF rect;  // the bounding box; for a text, the ink of the text shown
    QString text; // as shown
    double fontPx = 0.0;
    QColor color;
    QPolygonF points;  // lines and areas: the points as drawn
    QPolygonF outline; // texts: the ink box turned as the text is, which rect bounds
};

// Collects what a frame draws, node by node, as the nodes would paint it: each node reports its
// items in its own coordinates and the collection maps them to the picture.
class DrawnItems {
public:
    explicit DrawnItems(const QTransform& toPicture);

    // Nodes inside a transformed group report in the group's coordinates.
    class Within {
    public:
        Within(DrawnItems& items, const QTransform& local);
        ~Within();
        Within(const Within&) = delete;
        Within& operator=(const Within&) = delete;

    private:
        DrawnItems& m_items;
        QTransform m_outer;
    };

    // A line of text whose baseline starts at origin, turned by rotation degrees about anchor.
    void addText(const ItemTag& tag, const QString& text, const QFont& font, const QColor& color,
                 QPointF origin, QPointF anchor = {}, double rotation = 0.0);
    void addShape(const ItemTag& tag, const QPainterPath& shape, const QColor& color);
    void addShape(const ItemTag& tag, const QRectF& rect, const QColor& color);
    void addPolyline(const ItemTag& tag, const QPolygonF& points, const QColor& color);

    const std::vector<DrawnItem>& items() const { return m_items; }

private:
    QTransform m_transform;
    std::vector<DrawnItem> m_items;
};

} // namespace tivora::engine
