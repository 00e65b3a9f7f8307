#include "engine/scene/drawn_items.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {

QString kindName(ItemKind kind) {
    static const std::array kNames{
        u"header"_s,    u"footer"_s,      u"axis-title"_s, u"axis-label"_s,
        u"x-label"_s,   u"legend-text"_s, u"legend-key"_s, u"value-label"_s,
        u"pie-label"_s, u"note"_s,        u"note-text"_s,  u"bar"_s,
        u"slice"_s,     u"line"_s,        u"point"_s,      u"area"_s,
    };
    return kNames[std::size_t(kind)];
}

bool isTextKind(ItemKind kind) {
    switch (kind) {
    case ItemKind::Header:
    case ItemKind::Footer:
    case ItemKind::AxisTitle:
    case ItemKind::AxisLabel:
    case ItemKind::XLabel:
    case ItemKind::LegendText:
    case ItemKind::ValueLabel:
    case ItemKind::PieLabel:
    case ItemKind::NoteText:
        return true;
    default:
        return false;
    }
}

DrawnItems::DrawnItems(const QTransform& toPicture)
    : m_transform(toPicture) {}

DrawnItems::Within::Within(DrawnItems& items, const QTransform& local)
    : m_items(items)
    , m_outer(items.m_transform) {
    items.m_transform = local * items.m_transform;
}

DrawnItems::Within::~Within() {
    m_items.m_transform = m_outer;
}

void DrawnItems::addText(const ItemTag& tag, const QString& text, const QFont& font,
                         const QColor& color, QPointF origin, QPointF anchor, double rotation) {
    if (text.trimmed().isEmpty())
        return;
    QTransform local;
    local.translate(anchor.x(), anchor.y());
    local.rotate(rotation);
    const QTransform toPicture = local * m_transform;
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text).translated(origin);
    DrawnItem item;
    item.tag = tag;
    if (item.tag.fullText.isEmpty())
        item.tag.fullText = text;
    item.outline = toPicture.map(QPolygonF(ink));
    item.rect = item.outline.boundingRect();
    item.text = text;
    // A text drawn under a scale is that much larger in the picture.
    item.fontPx = font.pixelSize() * std::sqrt(std::abs(toPicture.determinant()));
    item.color = color;
    m_items.push_back(std::move(item));
}

void DrawnItems::addShape(const ItemTag& tag, const QPainterPath& shape, const QColor& color) {
    addShape(tag, shape.boundingRect(), color);
}

void DrawnItems::addShape(const ItemTag& tag, const QRectF& rect, const QColor& color) {
    if (rect.isEmpty())
        return;
    m_items.push_back({tag, m_transform.mapRect(rect), {}, 0.0, color, {}, {}});
}

void DrawnItems::addPolyline(const ItemTag& tag, const QPolygonF& points, const QColor& color) {
    if (points.isEmpty())
        return;
    const QPolygonF mapped = m_transform.map(points);
    m_items.push_back({tag, mapped.boundingRect(), {}, 0.0, color, mapped, {}});
}

} // namespace tivora::engine
