#include "document/ansi_text.h"
#include "engine/layout/graph_style.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/movie_stage.h"
#include "engine/scene/paragraph_node.h"
#include "engine/scene/shape_node.h"

#include <QPainterPath>
#include <QPen>
#include <array>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

void addBackground(Scene& scene, QSizeF stage, const QColor& color) {
    QPainterPath path;
    path.addRect(QRectF(QPointF(0, 0), stage));
    scene.add(Layer::Background, std::make_unique<ShapeNode>(path, color));
}

// A small empty bar graph: outlined bars on a baseline, the picture of a graph waiting for data.
void addEmptyGraphPicture(Scene& scene, QPointF bottomCentre, double size, const QColor& color) {
    const double barWidth = size / 5;
    const std::array<double, 3> heights{0.45, 0.75, 0.6};
    QPainterPath bars;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double left = bottomCentre.x() - size / 2 + barWidth * (0.5 + 1.6 * double(i));
        bars.addRoundedRect(
            QRectF(left, bottomCentre.y() - size * heights[i], barWidth, size * heights[i]), 2, 2);
    }
    QPen outline(color, 2.0, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
    scene.add(Layer::Plot, std::make_unique<ShapeNode>(bars, Qt::NoBrush, outline));
    QPainterPath baseline;
    baseline.moveTo(bottomCentre.x() - size / 2, bottomCentre.y());
    baseline.lineTo(bottomCentre.x() + size / 2, bottomCentre.y());
    scene.add(Layer::Plot,
              std::make_unique<ShapeNode>(baseline, Qt::NoBrush,
                                          QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap)));
}

Scene messageScene(const QString& title, const QString& text, QSizeF stage,
                   const QColor& background, const QColor& textColor) {
    Scene scene;
    addBackground(scene, stage, background);
    const double unit = std::min(stage.width() / 700.0, stage.height() / 475.0);
    const double width = stage.width() * 0.8;
    const QColor pictureColor = readableOn(QColor(0x9A, 0xAC, 0xC4), background);
    double y = stage.height() * 0.22;
    addEmptyGraphPicture(scene, {stage.width() / 2, y + 80 * unit}, 90 * unit, pictureColor);
    y += 100 * unit;
    auto heading = std::make_unique<ParagraphNode>(title, graphFont(26 * unit, true), textColor,
                                                   QPointF(stage.width() / 2, y), width);
    y += heading->height() + 10 * unit;
    scene.add(Layer::Titles, std::move(heading));
    QColor bodyColor = textColor;
    bodyColor.setAlphaF(0.8f);
    scene.add(Layer::Titles, std::make_unique<ParagraphNode>(text, graphFont(16 * unit), bodyColor,
                                                             QPointF(stage.width() / 2, y), width));
    return scene;
}

} // namespace

Scene layoutBlankMovie(const MovieFile& movie) {
    Scene scene;
    const QByteArray color = movie.property("background");
    if (!color.isEmpty())
        addBackground(scene, movieStage(movie), colorFromText(color, Qt::white));
    return scene;
}

Scene layoutMessageMovie(const MovieFile& movie) {
    const QColor background = colorFromText(movie.property("background", "0xFFFFFF"), Qt::white);
    const QColor fallback = readableOn(QColor(0x2B, 0x3A, 0x4F), background);
    const QByteArray color = movie.property("color");
    const QColor text = color.trimmed().isEmpty() ? fallback : colorFromText(color, fallback);
    return messageScene(ansiToString(movie.property("title")), ansiToString(movie.property("text")),
                        movieStage(movie), background, text);
}

Scene layoutErrorMovie(const QString& message) {
    return messageScene(u"This movie cannot be shown"_s, message, kStageSize,
                        QColor(0xFA, 0xFA, 0xFA), QColor(0x8A, 0x2B, 0x2B));
}

} // namespace tivora::engine
