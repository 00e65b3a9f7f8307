#include "export/animated_svg.h"

#include "engine/scene/group_node.h"
#include "engine/scene/raster_cache_node.h"
#include "engine/scene/scene.h"
#include "export/drawing_samples.h"
#include "export/graph_summary.h"
#include "export/node_snapshot.h"
#include "export/smil_animator.h"
#include "export/svg_definitions.h"

#include <QBuffer>
#include <QPainterPath>
#include <QSaveFile>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {
namespace {

// One round of something that loops but names no round of its own, such as a drifting effect.
constexpr Millis kDefaultRound = 4000.0;
constexpr Millis kDriftStep = 250.0;
constexpr qsizetype kDriftBudget = 80 * 1024;

qsizetype byteSize(const SvgElement& element) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    element.write(writer);
    return bytes.size();
}

bool isSafeLink(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http"_L1 || scheme == "https"_L1 || scheme == "mailto"_L1);
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

// Walks the scene's groups down to the nodes that draw, and turns each into animated SVG.
class SceneWriter {
public:
    explicit SceneWriter(Millis length)
        : m_length(length) {}

    void add(const SceneNode& node, const QTransform& transform,
             const std::optional<QPainterPath>& clip, SvgElement& parent) {
        if (const auto* group = dynamic_cast<const GroupNode*>(&node)) {
            const QTransform inner = group->transform() * transform;
            std::optional<QPainterPath> innerClip = clip;
            if (group->clip()) {
                QPainterPath own;
                own.addRect(*group->clip());
                own = inner.map(own);
                innerClip = clip ? clip->intersected(own) : own;
            }
            for (const auto& child : group->children())
                add(*child, inner, innerClip, parent);
            return;
        }
        // A cached picture is only a faster way to paint on pixels; an SVG gets its parts.
        if (const auto* cache = dynamic_cast<const RasterCacheNode*>(&node)) {
            add(cache->child(), transform, clip, parent);
            return;
        }
        addDrawing(node, transform, clip, parent);
    }

    const SvgDefinitions& definitions() const { return m_definitions; }

private:
    void addDrawing(const SceneNode& node, const QTransform& transform,
                    const std::optional<QPainterPath>& clip, SvgElement& parent) {
        const bool looping = node.endTime() == kForever;
        const Millis span = looping ? (node.cycleTime() > 0 ? node.cycleTime() : kDefaultRound)
                                    : std::min(node.endTime(), m_length);
        const QString idPrefix = u"n%1"_s.arg(++m_nodes);
        const auto draw = [&](Millis time) {
            return SvgElement{
                u"g"_s, {}, {}, snapshotNode(node, time, transform, clip, m_definitions, idPrefix)};
        };
        // Something that loops with no round of its own drifts for ever: it gets as many even
        // steps as fit the budget, at most a few a second, and is left out when not even its
        // still picture fits a web page.
        std::vector<Moment> moments;
        if (looping && node.cycleTime() <= 0) {
            // Measured with definitions of its own, so that a node left out leaves nothing behind.
            SvgDefinitions own;
            qsizetype still = byteSize(SvgElement{
                u"g"_s, {}, {}, snapshotNode(node, 0.0, transform, clip, own, idPrefix)});
            for (const SvgElement& definition : own.elements())
                still += byteSize(definition);
            if (still > kDriftBudget)
                return;
            const double steps = std::clamp(double(kDriftBudget / std::max<qsizetype>(still, 1)),
                                            1.0, span / kDriftStep);
            moments = sampleEvenly(draw, span, span / steps);
        } else {
            moments = sampleDrawing(draw, span);
        }
        SvgElement drawing = SmilAnimator(span, looping).animate(moments);
        if (drawing.children.empty())
            return;
        const QUrl link = node.link();
        if (!isSafeLink(link)) {
            parent.children.push_back(std::move(drawing));
            return;
        }
        const QString address = link.toString(QUrl::FullyEncoded);
        SvgElement anchor{u"a"_s, {{u"href"_s, address}, {u"xlink:href"_s, address}}, {}, {}};
        anchor.children.push_back(std::move(drawing));
        parent.children.push_back(std::move(anchor));
    }

    Millis m_length;
    int m_nodes = 0;
    SvgDefinitions m_definitions;
};

} // namespace

Millis animationLength(const Scene& scene) {
    const bool loops = scene.endTime() == kForever;
    const Millis round = loops ? std::max(scene.cycleTime(), kDefaultRound) : 0.0;
    return std::max(scene.settledTime(), round);
}

QByteArray animatedSvg(const Scene& scene, const GraphSummary& summary) {
    SceneWriter writer(animationLength(scene));
    SvgElement body = snapshotRootGroup();
    for (int layer = 0; layer < int(Layer::Count); ++layer) {
        for (const auto& node : scene.nodes(Layer(layer)))
            writer.add(*node, QTransform(), std::nullopt, body);
    }
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeStartElement(u"svg"_s);
    xml.writeDefaultNamespace(u"http://www.w3.org/2000/svg"_s);
    xml.writeNamespace(u"http://www.w3.org/1999/xlink"_s, u"xlink"_s);
    xml.writeAttribute(u"width"_s, number(kStageSize.width()));
    xml.writeAttribute(u"height"_s, number(kStageSize.height()));
    xml.writeAttribute(u"viewBox"_s,
                       u"0 0 %1 %2"_s.arg(number(kStageSize.width()), number(kStageSize.height())));
    xml.writeTextElement(u"title"_s, summary.title);
    xml.writeTextElement(u"desc"_s, summary.description);
    xml.writeStartElement(u"defs"_s);
    for (const SvgElement& definition : writer.definitions().elements())
        definition.write(xml);
    xml.writeEndElement();
    body.write(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

std::optional<QString> writeAnimatedSvg(const Scene& scene, const GraphSummary& summary,
                                        const QString& outPath) {
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    out.write(animatedSvg(scene, summary));
    if (!out.commit())
        return u"cannot write %1: %2"_s.arg(outPath, out.errorString());
    return std::nullopt;
}

} // namespace tivora::exporting
