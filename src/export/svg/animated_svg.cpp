#include "export/svg/animated_svg.h"

#include "document/regular_file.h"
#include "engine/backdrop/effect_node.h"
#include "engine/pie/pie_labels_node.h"
#include "engine/scene/group_node.h"
#include "engine/scene/raster_cache_node.h"
#include "engine/scene/scene.h"
#include "export/graph_summary.h"
#include "export/svg/drawing_compaction.h"
#include "export/svg/drawing_samples.h"
#include "export/svg/effect_motion.h"
#include "export/svg/node_snapshot.h"
#include "export/svg/smil_animator.h"
#include "export/svg/svg_definitions.h"
#include "export/svg/whole_motion.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {
namespace {

// One round of something that loops but names no round of its own, such as a drifting effect.
constexpr Millis kDefaultRound = 4000.0;
constexpr Millis kDriftStep = 250.0;
constexpr qsizetype kDriftBudget = qsizetype{80} * 1024;
// The marks over the values are unseen until pointed at, when the value under them lightens and
// is outlined.
constexpr auto kValueMarkStyle = ".value-mark{fill:#fff;fill-opacity:0}"
                                 ".value-mark:hover{fill-opacity:.3;stroke:#000;"
                                 "stroke-opacity:.6;stroke-width:1.5}";

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

// A reader who asks for less motion sees the graph as it settles at once: the animations are
// paused at that moment. A few hundred bytes of script do it where every animated value would
// otherwise need a settled copy of its own. The script finds its own picture, so it also works
// where the picture is laid into a page; it is written without characters that need escaping.
QString reducedMotionScript(Millis settled) {
    return u"(function(){var g=document.currentScript;"
           u"g=g?g.ownerSVGElement:document.documentElement;"
           u"if(!g||!g.pauseAnimations||!window.matchMedia)return;"
           u"if(!matchMedia('(prefers-reduced-motion: reduce)').matches)return;"
           u"var settle=function(){g.pauseAnimations();g.setCurrentTime(%1)};"
           u"settle();addEventListener('load',settle)})()"_s.arg(settled / 1000.0, 0, 'f', 3);
}

// Walks the scene's groups down to the nodes that draw, and turns each into animated SVG.
class SceneWriter {
public:
    SceneWriter(Millis length, const GraphSummary& summary)
        : m_length(length)
        , m_summary(summary) {}

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
            if (!addUncovered(*cache, transform, clip, parent))
                add(cache->child(), transform, clip, parent);
            return;
        }
        // An effect drifts for ever: its parts are described by their movements, not by moments.
        if (const auto* effect = dynamic_cast<const EffectNode*>(&node)) {
            parent.children.push_back(
                effectMotion(*effect, transform, clip, m_definitions, u"n%1"_s.arg(++m_nodes)));
            return;
        }
        // Pie labels fade in one after another: each alone is one fade, where the whole would
        // change its drawing at every label.
        if (const auto* labels = dynamic_cast<const PieLabelsNode*>(&node)) {
            for (const auto& part : labels->oneByOne())
                addDrawing(*part, transform, clip, parent);
            return;
        }
        addDrawing(node, transform, clip, parent);
        addValueMarks(node, transform, clip);
    }

    const SvgDefinitions& definitions() const { return m_definitions; }
    const SvgElement& valueMarks() const { return m_marks; }

private:
    // Over each value the graph shows, an invisible shape that names it: pointing at a bar, point
    // or slice shows its value and highlights it, and screen readers read it.
    void addValueMarks(const SceneNode& node, const QTransform& transform,
                       const std::optional<QPainterPath>& clip) {
        for (const ValueMark& mark : node.valueMarks()) {
            const QString title = m_summary.valueTitle(mark.series, mark.item);
            QPainterPath area = transform.map(mark.area);
            if (clip)
                area = area.intersected(*clip);
            if (title.isEmpty() || area.isEmpty())
                continue;
            SvgElement shape{
                u"path"_s, {{u"class"_s, u"value-mark"_s}, {u"d"_s, pathData(area)}}, {}, {}};
            shape.children.push_back({u"title"_s, {}, title, {}});
            m_marks.children.push_back(std::move(shape));
        }
    }

    // A part whose animation only uncovers its finished look (a pie sweeping open) is drawn
    // once, finished, under a clip whose outline follows the uncovered area: one drawing and one
    // moving outline, where a drawing for every moment of a pie of many slices took megabytes.
    // False when the part is not of that kind, or its outline cannot glide from moment to moment.
    bool addUncovered(const RasterCacheNode& cache, const QTransform& transform,
                      const std::optional<QPainterPath>& clip, SvgElement& parent) {
        const SceneNode& part = cache.child();
        const Millis end = part.endTime();
        if (!cache.uncovered() || end <= 0 || end == kForever)
            return false;
        const Millis span = std::min(end, m_length);
        const auto outline = [&](Millis time) {
            return SvgElement{
                u"path"_s, {{u"d"_s, pathData(transform.map(cache.uncovered()(time)))}}, {}, {}};
        };
        SvgElement moving = SmilAnimator(span, false).animate(sampleDrawing(outline, span));
        if (moving.name != "path"_L1)
            return false;
        const QString idPrefix = u"n%1"_s.arg(++m_nodes);
        const QString clipId = idPrefix + u"-uncovered"_s;
        std::vector<SvgElement> items =
            snapshotNode(part, end, transform, clip, m_definitions, idPrefix);
        compactDrawing(items);
        parent.children.push_back(SvgElement{u"clipPath"_s, {{u"id"_s, clipId}}, {}, {moving}});
        parent.children.push_back(SvgElement{
            u"g"_s, {{u"clip-path"_s, u"url(#%1)"_s.arg(clipId)}}, {}, std::move(items)});
        addValueMarks(part, transform, clip);
        return true;
    }

    void addDrawing(const SceneNode& node, const QTransform& transform,
                    const std::optional<QPainterPath>& clip, SvgElement& parent) {
        const bool looping = node.endTime() == kForever;
        const Millis span = looping ? (node.cycleTime() > 0 ? node.cycleTime() : kDefaultRound)
                                    : std::min(node.endTime(), m_length);
        const QString idPrefix = u"n%1"_s.arg(++m_nodes);
        const auto paint = [&](QPainter& painter, Millis time) {
            if (clip)
                painter.setClipPath(*clip);
            painter.setTransform(transform);
            node.paint(painter, time);
        };
        std::optional<WholeMotion> whole = looping ? std::nullopt : findWholeMotion(paint, span);
        std::optional<SvgElement> drawing =
            whole ? wholeDrawing(node, *whole, span, transform, clip, idPrefix)
                  : sampledDrawing(node, looping, span, transform, clip, idPrefix);
        if (!drawing || drawing->children.empty())
            return;
        const QUrl link = node.link();
        if (!isSafeLink(link)) {
            parent.children.push_back(std::move(*drawing));
            return;
        }
        const QString address = link.toString(QUrl::FullyEncoded);
        SvgElement anchor{u"a"_s, {{u"href"_s, address}, {u"xlink:href"_s, address}}, {}, {}};
        anchor.children.push_back(std::move(*drawing));
        parent.children.push_back(std::move(anchor));
    }

    // A drawing that only stands still or stretches as a whole is drawn once, at its end, and
    // moved by two animations; however many parts it has, they cost no more than their outlines.
    SvgElement wholeDrawing(const SceneNode& node, const WholeMotion& motion, Millis span,
                            const QTransform& transform, const std::optional<QPainterPath>& clip,
                            const QString& idPrefix) {
        std::vector<SvgElement> items =
            snapshotNode(node, span, transform, clip, m_definitions, idPrefix);
        compactDrawing(items);
        SvgElement drawing{u"g"_s, {}, {}, {}};
        if (motion.shownFrom > 0) {
            drawing.setAttribute(u"visibility"_s, u"hidden"_s);
            drawing.children.push_back(
                SvgElement{u"set"_s,
                           {{u"attributeName"_s, u"visibility"_s},
                            {u"to"_s, u"visible"_s},
                            {u"begin"_s, u"%1s"_s.arg(motion.shownFrom / 1000.0, 0, 'f', 3)},
                            {u"fill"_s, u"freeze"_s}},
                           {},
                           {}});
        }
        if (motion.isStill()) {
            std::move(items.begin(), items.end(), std::back_inserter(drawing.children));
            return drawing;
        }
        // Clips stay where they are; what they cut moves inside them.
        const SmilAnimator animator(span, false);
        std::vector<SvgElement> run;
        const auto endRun = [&] {
            if (!run.empty())
                drawing.children.push_back(moving(std::move(run), motion, animator));
            run.clear();
        };
        for (SvgElement& item : items) {
            if (item.name == "clipPath"_L1) {
                endRun();
                drawing.children.push_back(std::move(item));
            } else if (item.attribute(u"clip-path"_s)) {
                endRun();
                item.children = {moving(std::move(item.children), motion, animator)};
                drawing.children.push_back(std::move(item));
            } else {
                run.push_back(std::move(item));
            }
        }
        endRun();
        return drawing;
    }

    static SvgElement moving(std::vector<SvgElement> children, const WholeMotion& motion,
                             const SmilAnimator& animator) {
        std::vector<std::vector<double>> shifts;
        std::vector<std::vector<double>> scales;
        for (const WholeMotion::Stretch& s : motion.stretches) {
            shifts.push_back({s.shiftX, s.shiftY});
            scales.push_back({s.scaleX, s.scaleY});
        }
        // A scale this far off moves a point at the stage's far edge by a fraction of a unit.
        constexpr double kScaleTolerance = 0.0004;
        constexpr double kShiftTolerance = 0.3;
        SvgElement scaled{u"g"_s, {}, {}, std::move(children)};
        scaled.children.insert(
            scaled.children.begin(),
            animator.transformGlide(u"scale"_s, u"#,#"_s, motion.times, scales, kScaleTolerance));
        SvgElement shifted{u"g"_s, {}, {}, {}};
        shifted.children.push_back(animator.transformGlide(u"translate"_s, u"#,#"_s, motion.times,
                                                           shifts, kShiftTolerance));
        shifted.children.push_back(std::move(scaled));
        return shifted;
    }

    std::optional<SvgElement> sampledDrawing(const SceneNode& node, bool looping, Millis span,
                                             const QTransform& transform,
                                             const std::optional<QPainterPath>& clip,
                                             const QString& idPrefix) {
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
                return std::nullopt;
            // Whole steps: the budget shared out over what each sample adds.
            const qsizetype wholeSteps = kDriftBudget / std::max<qsizetype>(still, 1);
            const double steps = std::clamp(double(wholeSteps), 1.0, span / kDriftStep);
            moments = sampleEvenly(draw, span, span / steps);
        } else {
            moments = sampleDrawing(draw, span);
        }
        return SmilAnimator(span, looping).animate(moments);
    }

    Millis m_length;
    const GraphSummary& m_summary;
    SvgElement m_marks{u"g"_s, {{u"class"_s, u"value-marks"_s}}, {}, {}};
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
    SceneWriter writer(animationLength(scene), summary);
    // The marks that name the values lie over the plot but under the effects and notes, whose
    // links stay where a pointer reaches them.
    SvgElement plot = snapshotRootGroup();
    SvgElement overPlot = snapshotRootGroup();
    for (int layer = 0; layer < int(Layer::Count); ++layer) {
        for (const auto& node : scene.nodes(Layer(layer)))
            writer.add(*node, QTransform(), std::nullopt,
                       layer <= int(Layer::Plot) ? plot : overPlot);
    }
    mergeStillGroups(plot);
    mergeStillGroups(overPlot);
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
    plot.write(xml);
    if (!writer.valueMarks().children.empty()) {
        xml.writeTextElement(u"style"_s, QString::fromLatin1(kValueMarkStyle));
        writer.valueMarks().write(xml);
    }
    if (!overPlot.children.empty())
        overPlot.write(xml);
    if (scene.settledTime() > 0 || scene.endTime() == kForever)
        xml.writeTextElement(u"script"_s, reducedMotionScript(scene.settledTime()));
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

std::optional<QString> writeAnimatedSvg(const Scene& scene, const GraphSummary& summary,
                                        const QString& outPath) {
    if (const auto reason = replaceFile(outPath, animatedSvg(scene, summary)))
        return u"cannot write %1: %2"_s.arg(outPath, *reason);
    return std::nullopt;
}

} // namespace tivora::exporting
