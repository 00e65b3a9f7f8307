#include "document/graph_keys.h"
#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/movie_stage.h"
#include "engine/scene/shape_node.h"
#include "engine/scene/text_node.h"
#include "engine/series/axis_scale.h"
#include "engine/series/series_data.h"
#include "engine/series/series_nodes.h"

#include <QFileInfo>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr double kSampleBarValue = 75.0;
constexpr std::array<double, 5> kSampleLine{30, 55, 42, 78, 64};

QColor field(const VariableText& text, QByteArrayView key, const QColor& fallback) {
    const QByteArray value = text.value(key);
    return value.trimmed().isEmpty() ? fallback : colorFromText(value, fallback);
}

double percentField(const VariableText& text, QByteArrayView key, double fallback) {
    return std::clamp(GraphText::parseNumber(text.value(key)).value_or(fallback), 0.0, 100.0);
}

// The sample draws with the graph's own series drawing, on a small plot of its own.
void addSeriesSample(const VariableText& text, SeriesType type, QSizeF stage, Scene& scene) {
    Series series;
    series.type = type;
    series.speed = 0;
    const bool bar = type == SeriesType::Bar;
    series.color =
        field(text, bar ? keys::kSampleBarColor : keys::kSampleAreaColor, QColor(0x00, 0x00, 0x80));
    series.opacity = bar ? 100.0 : percentField(text, keys::kAreaAlpha, 80.0);
    series.labelColor = field(text, keys::kSampleValueColor, Qt::white);
    series.labelPixels = 22;
    if (bar) {
        series.values = {kSampleBarValue};
    } else {
        series.values.assign(kSampleLine.begin(), kSampleLine.end());
    }
    series.decimals.assign(series.values.size(), 0);
    SeriesData data;
    data.series.push_back(series);
    data.columnLabels.assign(series.values.size(), QString());
    PlotGeometry geometry;
    geometry.plot = QRectF(QPointF(0, 0), stage)
                        .adjusted(stage.width() * 0.12, stage.height() * 0.12,
                                  -stage.width() * 0.12, -stage.height() * 0.1);
    geometry.scale = AxisScale::make(0.0, 100.0, 20.0, 0.0, 100.0);
    geometry.columns = int(series.values.size());
    const QColor background = field(text, keys::kBackColorLong, Qt::white);
    for (auto& node : seriesNodes(data, geometry, background, series.labelPixels))
        scene.add(Layer::Plot, std::move(node));
}

QColor shadedSlice(QColor color, double shade) {
    // Shade 100 takes the slice most of the way to black, never all the way, so it keeps its hue.
    return color.darker(100 + int(shade * 1.5));
}

void addSliceSample(const VariableText& text, QSizeF stage, Scene& scene) {
    const double opacity = percentField(text, keys::kSliceAlphas, 100.0);
    const QColor color =
        withOpacity(shadedSlice(field(text, keys::kSampleSliceColor, QColor(0x2E, 0x6F, 0xB7)),
                                percentField(text, keys::kSliceShades, 0.0)),
                    opacity);
    const double radius = std::min(stage.width(), stage.height()) * 0.38;
    const QPointF centre(stage.width() / 2, stage.height() * 0.46);
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath slice;
    slice.moveTo(centre);
    slice.arcTo(circle, 60.0, 100.0);
    slice.closeSubpath();
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0.0, color.lighter(125));
    gradient.setColorAt(1.0, color);
    scene.add(Layer::Plot,
              std::make_unique<ShapeNode>(slice, gradient, QPen(color.darker(130), 1)));
    const QPointF valuePoint = centre + QPointF(0, -radius * 0.62);
    scene.add(Layer::Titles,
              std::make_unique<TextNode>(u"25%"_s, graphFont(radius * 0.16, true),
                                         field(text, keys::kSampleValueColor, Qt::black),
                                         valuePoint, Qt::AlignCenter));
    scene.add(Layer::Titles,
              std::make_unique<TextNode>(u"Label"_s, graphFont(radius * 0.14),
                                         field(text, keys::kSampleLabelColor, Qt::black),
                                         centre + QPointF(0, -radius - 6),
                                         Qt::AlignHCenter | Qt::AlignBottom));
}

} // namespace

// The option sample: one bar, one line or area, or one pie slice drawn from the fields the option
// dialogs write beside it, so the user sees a choice before it reaches the graph.
Scene layoutSampleMovie(const MovieFile& movie, const QDir& movieFolder) {
    const QString name =
        QFileInfo(QString::fromLatin1(movie.property("options", "Slice.dat"))).fileName();
    QByteArray options;
    if (readInputFile(movieFolder.filePath(name), options))
        return layoutErrorMovie(u"The sample options %1 could not be read."_s.arg(name));
    const VariableText text(std::move(options));
    const QSizeF stage = movieStage(movie);
    Scene scene;
    QPainterPath background;
    background.addRect(QRectF(QPointF(0, 0), stage));
    scene.add(Layer::Background, std::make_unique<ShapeNode>(
                                     background, field(text, keys::kBackColorLong, Qt::white)));
    const QByteArray type = text.value(keys::kGraphTypeLong).trimmed().toLower();
    if (type == "pie")
        addSliceSample(text, stage, scene);
    else if (type == "line")
        addSeriesSample(text, SeriesType::Line, stage, scene);
    else if (type == "area")
        addSeriesSample(text, SeriesType::Area, stage, scene);
    else
        addSeriesSample(text, SeriesType::Bar, stage, scene);
    return scene;
}

} // namespace tivora::engine
