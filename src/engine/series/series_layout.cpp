#include "document/graph_keys.h"
#include "document/variable_text.h"
#include "engine/backdrop/plot_shading.h"
#include "engine/layout/graph_frame_transform.h"
#include "engine/layout/graph_layout.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/scene/group_node.h"
#include "engine/scene/shape_node.h"
#include "engine/series/axes_layout.h"
#include "engine/series/legend_layout.h"
#include "engine/series/series_data.h"
#include "engine/series/series_nodes.h"

#include <QPainterPath>
#include <algorithm>
#include <optional>

namespace tivora::engine {
namespace {

// A y value the graph fixes, or nothing when it leaves the value to the data ("auto").
std::optional<double> fixedAxisValue(const GraphText& text, QByteArrayView key) {
    const QByteArray value = text.bytes(key).trimmed();
    if (value.isEmpty() || value.toLower() == "auto")
        return std::nullopt;
    return GraphText::parseNumber(value);
}

AxisScale axisScale(const GraphText& text, const SeriesData& data) {
    const auto [low, high] = data.valueRange();
    return AxisScale::make(fixedAxisValue(text, keys::kYMinimum),
                           fixedAxisValue(text, keys::kYMaximum),
                           fixedAxisValue(text, keys::kYStep), low, high, data.needsZero());
}

// The darkest colour a plot's brush paints: the deepest stop of its shading.
QColor darkestOf(const QBrush& brush) {
    if (brush.gradient() == nullptr)
        return brush.color();
    QColor darkest = brush.gradient()->stops().front().second;
    for (const auto& [at, color] : brush.gradient()->stops()) {
        if (color.lightnessF() < darkest.lightnessF())
            darkest = color;
    }
    return darkest;
}

PlotGround plotBackground(const GraphText& text, const QTransform& transform,
                          const PlotGeometry& geometry, Scene& scene) {
    const QByteArray colorText = text.bytes(keys::kPlotColor).trimmed();
    if (colorText.isEmpty()) {
        const QColor stage =
            text.plainBytes(keys::kBackTransparent).trimmed() == "1"
                ? QColor(Qt::white)
                : colorFromText(text.plainBytes(keys::kBackColor, keys::kBackColorLong), Qt::white);
        return {stage, stage};
    }
    const QColor color = colorFromText(colorText, Qt::white);
    const auto shading = Shading(int(text.number(keys::kShadingType, 0, 0, 11)));
    const double depth = text.number(keys::kShadingDepth, 50, 0, 80);
    QPainterPath path;
    path.addRect(geometry.plot);
    auto group = std::make_unique<GroupNode>(transform);
    const QBrush brush = shadingBrush(color, shading, depth, geometry.plot);
    group->add(std::make_unique<ShapeNode>(path, brush));
    scene.add(Layer::Background, std::move(group));
    return {color, darkestOf(brush)};
}

} // namespace

void layoutSeriesGraph(const VariableText& variables, const GraphFrame& frame, Scene& scene) {
    const GraphText text(variables);
    const SeriesData data = SeriesData::read(text);
    if (data.series.empty() || data.columnCount() == 0)
        return;
    const AxisScale scale = axisScale(text, data);
    std::optional<LegendLayout> legend;
    std::optional<AxesLayout> axes;
    const auto layIn = [&](QRectF box) {
        legend.emplace(data, box);
        box.setTop(box.top() + legend->height());
        axes.emplace(text, data.columnLabels, scale, box);
        return axes->extent() | legend->extent();
    };
    // The graph's scale sizes its plot, not its text: it is laid out again in the scaled box,
    // where its texts keep their sizes. Offsets may make a graph smaller to keep it in sight, but
    // never smaller than it is unscaled when it was asked to be larger.
    const QRectF unscaled = layIn(frame.plotArea);
    const QPointF centre = axes->geometry().plot.center();
    const double graphScale = graphScaleFor(frame, unscaled, centre);
    const QRectF extent =
        graphScale == 1.0 ? unscaled : layIn(scaledAbout(frame.plotArea, centre, graphScale));
    const PlotGeometry& geometry = axes->geometry();
    const QTransform transform = movedWithin(frame, extent);

    const PlotGround background = plotBackground(text, transform, geometry, scene);
    auto group = std::make_unique<GroupNode>(transform);
    axes->addGrid(*group);
    for (auto& node : seriesNodes(data, geometry, background, frame.titlePixels))
        group->add(std::move(node));
    axes->addAxes(*group);
    const QColor stage =
        colorFromText(text.plainBytes(keys::kBackColor, keys::kBackColorLong), Qt::white);
    legend->addTo(*group, readableOn(QColor(0x33, 0x33, 0x33), stage));
    scene.add(Layer::Plot, std::move(group));
}

} // namespace tivora::engine
