#include "export/svg/node_snapshot.h"

#include "engine/render/svg_paint_device.h"
#include "engine/scene/scene.h"
#include "export/svg/drawing_compaction.h"
#include "export/svg/svg_definitions.h"

#include <QBuffer>
#include <QHash>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

bool isDefinition(const SvgElement& element) {
    return element.name == "linearGradient"_L1 || element.name == "radialGradient"_L1;
}

bool holdsText(const SvgElement& element) {
    if (element.name == "text"_L1)
        return true;
    return std::ranges::any_of(element.children, holdsText);
}

// Pulls every gradient out of the tree into the shared definitions, noting its new id.
void takeDefinitions(SvgElement& element, SvgDefinitions& definitions,
                     QHash<QString, QString>& renamed) {
    auto& children = element.children;
    for (auto child = children.begin(); child != children.end();) {
        if (isDefinition(*child)) {
            simplifyGradient(*child);
            const QString old = child->attribute(u"id"_s).value_or(QString());
            renamed.insert(old, definitions.idFor(std::move(*child)));
            child = children.erase(child);
        } else {
            takeDefinitions(*child, definitions, renamed);
            ++child;
        }
    }
}

// A picture is written once as a symbol of unit size; every place it is drawn uses it, scaled
// by the use's own position and size, which can glide like any other.
void shareImage(SvgElement& element, SvgDefinitions& definitions) {
    const QString data = element.attribute(u"xlink:href"_s).value_or(QString());
    SvgElement image{u"image"_s,
                     {{u"width"_s, u"1"_s},
                      {u"height"_s, u"1"_s},
                      {u"preserveAspectRatio"_s, u"none"_s},
                      {u"xlink:href"_s, data}},
                     {},
                     {}};
    SvgElement symbol{u"symbol"_s,
                      {{u"viewBox"_s, u"0 0 1 1"_s}, {u"preserveAspectRatio"_s, u"none"_s}},
                      {},
                      {std::move(image)}};
    const QString id = definitions.idFor(std::move(symbol));
    SvgElement use{u"use"_s, {{u"xlink:href"_s, u'#' + id}}, {}, {}};
    for (const auto& [key, value] : std::as_const(element.attributes)) {
        if (key != "xlink:href"_L1 && key != "preserveAspectRatio"_L1)
            use.setAttribute(key, value);
    }
    element = std::move(use);
}

void clean(SvgElement& element, const QHash<QString, QString>& renamed,
           SvgDefinitions& definitions) {
    if (element.name == "image"_L1 && element.attribute(u"xlink:href"_s))
        shareImage(element, definitions);
    for (auto& [key, value] : element.attributes) {
        if (value.startsWith("url(#"_L1) && value.endsWith(u')'))
            value = u"url(#%1)"_s.arg(renamed.value(value.mid(5, value.size() - 6)));
    }
    element.attributes.removeIf([](const auto& attribute) {
        return (attribute.first == "transform"_L1 &&
                attribute.second == "matrix(1,0,0,1,0,0)"_L1) ||
               (attribute.first == "vector-effect"_L1 && attribute.second == "none"_L1);
    });
    if (element.name == "g"_L1 && !holdsText(element)) {
        element.attributes.removeIf(
            [](const auto& attribute) { return attribute.first.startsWith("font-"_L1); });
    }
    auto& children = element.children;
    for (SvgElement& child : children)
        clean(child, renamed, definitions);
    std::erase_if(children, [](const SvgElement& child) {
        return child.name == "g"_L1 && child.children.empty() && child.text.isEmpty();
    });
}

// Drops what an element repeats of the presentation its ancestors already set.
void dropInherited(SvgElement& element, QHash<QString, QString> inherited) {
    static const QSet<QString> inheriting{
        u"fill"_s,         u"fill-opacity"_s,   u"fill-rule"_s,      u"stroke"_s,
        u"stroke-width"_s, u"stroke-opacity"_s, u"stroke-linecap"_s, u"stroke-linejoin"_s,
        u"font-family"_s,  u"font-size"_s,      u"font-weight"_s,    u"font-style"_s};
    element.attributes.removeIf([&inherited](const auto& attribute) {
        return inheriting.contains(attribute.first) &&
               inherited.value(attribute.first) == attribute.second;
    });
    for (const auto& [key, value] : std::as_const(element.attributes)) {
        if (inheriting.contains(key))
            inherited.insert(key, value);
    }
    for (SvgElement& child : element.children)
        dropInherited(child, inherited);
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

bool isRectangle(const QPainterPath& path) {
    QPainterPath rectangle;
    rectangle.addRect(path.boundingRect());
    return path == rectangle;
}

// The drawing of one generator document, cleaned.
std::vector<SvgElement> drawingOf(const QByteArray& svg, SvgDefinitions& definitions) {
    std::optional<SvgElement> document = SvgElement::parse(svg);
    if (!document)
        return {};
    QHash<QString, QString> renamed;
    takeDefinitions(*document, definitions, renamed);
    // The drawing lies in the generator's one outermost group.
    for (SvgElement& child : document->children) {
        if (child.name != "g"_L1)
            continue;
        clean(child, renamed, definitions);
        // Full opacity is what everything starts from.
        QHash<QString, QString> inherited{{u"fill-opacity"_s, u"1"_s},
                                          {u"stroke-opacity"_s, u"1"_s}};
        for (const auto& [key, value] : snapshotRootGroup().attributes)
            inherited.insert(key, value);
        for (SvgElement& item : child.children)
            dropInherited(item, inherited);
        return std::move(child.children);
    }
    return {};
}

} // namespace

QString pathData(const QPainterPath& path) {
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QString point = number(e.x) + u',' + number(e.y);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            data += u'M' + point;
            break;
        case QPainterPath::LineToElement:
            data += u'L' + point;
            break;
        case QPainterPath::CurveToElement:
            data += u'C' + point;
            break;
        case QPainterPath::CurveToDataElement:
            data += u' ' + point;
            break;
        }
    }
    return data;
}

std::vector<SvgElement> snapshotNode(const engine::SceneNode& node, engine::Millis time,
                                     const QTransform& transform,
                                     const std::optional<QPainterPath>& clip,
                                     SvgDefinitions& definitions, const QString& idPrefix) {
    return snapshotPainting([&node, time](QPainter& painter) { node.paint(painter, time); },
                            transform, clip, definitions, idPrefix);
}

std::vector<SvgElement> snapshotPainting(const std::function<void(QPainter&)>& paint,
                                         const QTransform& transform,
                                         const std::optional<QPainterPath>& clip,
                                         SvgDefinitions& definitions, const QString& idPrefix) {
    engine::SvgPaintDevice device;
    {
        QPainter painter(&device);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        if (clip)
            painter.setClipPath(*clip);
        painter.setTransform(transform);
        paint(painter);
    }
    std::vector<SvgElement> items;
    int clips = 0;
    for (const engine::SvgPaintDevice::Segment& segment : device.takeSegments()) {
        std::vector<SvgElement> drawing = drawingOf(segment.svg, definitions);
        if (drawing.empty())
            continue;
        if (!segment.clip) {
            std::move(drawing.begin(), drawing.end(), std::back_inserter(items));
            continue;
        }
        const QString id = idPrefix + u'c' + QString::number(++clips);
        items.push_back(clipPathElement(*segment.clip, id));
        items.push_back(
            SvgElement{u"g"_s, {{u"clip-path"_s, u"url(#%1)"_s.arg(id)}}, {}, std::move(drawing)});
    }
    return items;
}

SvgElement clipPathElement(const QPainterPath& clip, const QString& id) {
    const QRectF bounds = clip.boundingRect();
    SvgElement shape = isRectangle(clip)
                           ? SvgElement{u"rect"_s,
                                        {{u"x"_s, number(bounds.x())},
                                         {u"y"_s, number(bounds.y())},
                                         {u"width"_s, number(bounds.width())},
                                         {u"height"_s, number(bounds.height())}},
                                        {},
                                        {}}
                           : SvgElement{u"path"_s, {{u"d"_s, pathData(clip)}}, {}, {}};
    return SvgElement{u"clipPath"_s, {{u"id"_s, id}}, {}, {std::move(shape)}};
}

SvgElement snapshotRootGroup() {
    SvgElement group;
    group.name = u"g"_s;
    group.attributes = {{u"fill"_s, u"none"_s},
                        {u"stroke"_s, u"black"_s},
                        {u"stroke-width"_s, u"1"_s},
                        {u"fill-rule"_s, u"evenodd"_s},
                        {u"stroke-linecap"_s, u"square"_s},
                        {u"stroke-linejoin"_s, u"bevel"_s}};
    return group;
}

} // namespace tivora::exporting
