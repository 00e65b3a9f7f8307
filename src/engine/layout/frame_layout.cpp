#include "document/graph_keys.h"
#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/scene/shape_node.h"
#include "engine/scene/text_fit.h"
#include "engine/scene/text_node.h"

#include <algorithm>

namespace tivora::engine {
namespace {

constexpr int kHeaderPixels = 22;
constexpr int kFooterPixels = 12;
constexpr int kSmallestTitlePixels = 9;
constexpr double kBandPadding = 8.0;

enum class HeaderSide { Top, Left, Right, Bottom };

HeaderSide headerSide(const GraphText& text) {
    switch (int(text.number(keys::kHeaderPosition, 0, 0, 3))) {
    case 1:
        return HeaderSide::Left;
    case 2:
        return HeaderSide::Right;
    case 3:
        return HeaderSide::Bottom;
    default:
        return HeaderSide::Top;
    }
}

void addStageBackground(const GraphText& text, Scene& scene) {
    if (text.plainBytes(keys::kBackTransparent).trimmed() == "1")
        return;
    QPainterPath stage;
    stage.addRect(QRectF(QPointF(0, 0), kStageSize));
    const QByteArray colorText = text.plainBytes(keys::kBackColor, keys::kBackColorLong);
    const QColor color =
        colorText.trimmed().isEmpty() ? QColor(Qt::white) : colorFromText(colorText, Qt::white);
    scene.add(Layer::Background, std::make_unique<ShapeNode>(stage, color));
}

// Lines of text centred one under the other on centre, all turned by rotation degrees about it.
void addCentredLines(const FittedLines& fitted, const QColor& color, QPointF centre,
                     double rotation, const ItemTag& tag, Scene& scene) {
    const QTransform turn = QTransform().rotate(rotation);
    const double first = -fitted.lineHeight * double(fitted.lines.size() - 1) / 2;
    for (qsizetype i = 0; i < fitted.lines.size(); ++i) {
        const QPointF lineCentre =
            centre + turn.map(QPointF(0, first + fitted.lineHeight * double(i)));
        auto node = std::make_unique<TextNode>(fitted.lines[i], fitted.font, color, lineCentre,
                                               Qt::AlignCenter, rotation);
        node->setTag(tag);
        scene.add(Layer::Titles, std::move(node));
    }
}

// Lays the header band along one side of the stage, takes its room from area and gives the band.
QRectF addHeader(const GraphText& text, HeaderSide side, QRectF& area, Scene& scene) {
    const QString title = text.string(keys::kHeader, keys::kHeaderLong).trimmed();
    if (title.isEmpty())
        return {};
    const bool vertical = side == HeaderSide::Left || side == HeaderSide::Right;
    const double length = vertical ? area.height() : area.width();
    // A long header takes a second line before it gets smaller.
    constexpr int kHeaderLines = 2;
    const FittedLines fitted = fitLines(title, graphFont(kHeaderPixels, true),
                                        QSizeF(length - 2 * kBandPadding, kStageSize.height()),
                                        kHeaderLines, kSmallestTitlePixels);
    const double thickness = fitted.size.height() + 2 * kBandPadding;

    QRectF band;
    switch (side) {
    case HeaderSide::Top:
        band = QRectF(area.left(), area.top(), area.width(), thickness);
        area.setTop(band.bottom());
        break;
    case HeaderSide::Bottom:
        band = QRectF(area.left(), area.bottom() - thickness, area.width(), thickness);
        area.setBottom(band.top());
        break;
    case HeaderSide::Left:
        band = QRectF(area.left(), area.top(), thickness, area.height());
        area.setLeft(band.right());
        break;
    case HeaderSide::Right:
        band = QRectF(area.right() - thickness, area.top(), thickness, area.height());
        area.setRight(band.left());
        break;
    }
    QPainterPath bandPath;
    bandPath.addRect(band);
    scene.add(Layer::Titles,
              std::make_unique<ShapeNode>(bandPath, text.color(keys::kHeaderBackColor,
                                                               QColor(0x1F, 0x3A, 0x5F),
                                                               keys::kHeaderBackColorLong)));
    const double rotation = side == HeaderSide::Left    ? -90.0
                            : side == HeaderSide::Right ? 90.0
                                                        : 0.0;
    addCentredLines(fitted,
                    text.color(keys::kHeaderFontColor, Qt::white, keys::kHeaderFontColorLong),
                    band.center(), rotation, {ItemKind::Header, 0, 0, title}, scene);
    return band;
}

// The footer stays on one line down to kSmallestLinePixels; a longer one wraps to two lines
// before it gets smaller still.
FittedLines fitFooter(const QString& footer, double width) {
    constexpr int kSmallestLinePixels = 10;
    constexpr int kSmallestPixels = 9;
    QFont font = graphFont(kFooterPixels);
    const FittedText line = fitText(footer, font, width, kSmallestLinePixels);
    if (line.text == footer)
        return {QStringList{line.text}, line.font, line.size.height(), line.size};
    font.setPixelSize(kSmallestLinePixels);
    return fitLines(footer, font, QSizeF(width, kStageSize.height()), 2, kSmallestPixels);
}

// Lays the footer along the stage's bottom, takes its room from area and gives its top (the
// stage's bottom when there is no footer).
double addFooter(const GraphText& text, QRectF& area, Scene& scene) {
    const QString footer = text.string(keys::kFooter, keys::kFooterLong).trimmed();
    if (footer.isEmpty())
        return kStageSize.height();
    const FittedLines fitted = fitFooter(footer, area.width() - 16);
    const double height = fitted.size.height() + kBandPadding;
    addCentredLines(fitted, text.color(keys::kFooterColor, Qt::black, keys::kFooterColorLong),
                    QPointF(area.center().x(), area.bottom() - height / 2), 0.0,
                    {ItemKind::Footer, 0, 0, footer}, scene);
    area.setBottom(area.bottom() - height);
    return area.bottom();
}

// The stage outside the header band, less a hair along the edges.
QRectF reachBeside(const QRectF& band, HeaderSide side) {
    constexpr double kEdge = 3.0;
    QRectF reach(QPointF(0, 0), kStageSize);
    if (!band.isNull()) {
        switch (side) {
        case HeaderSide::Top:
            reach.setTop(band.bottom());
            break;
        case HeaderSide::Bottom:
            reach.setBottom(band.top());
            break;
        case HeaderSide::Left:
            reach.setLeft(band.right());
            break;
        case HeaderSide::Right:
            reach.setRight(band.left());
            break;
        }
    }
    return reach.adjusted(kEdge, kEdge, -kEdge, -kEdge);
}

} // namespace

GraphFrame layoutFrame(const VariableText& variables, Scene& scene) {
    const GraphText text(variables);
    addStageBackground(text, scene);
    QRectF area(QPointF(0, 0), kStageSize);
    // The footer keeps the stage's bottom edge and a bottom header sits above it; a band on the
    // left or right runs the stage's full height, with the footer beside it.
    const HeaderSide side = headerSide(text);
    QRectF band;
    double footerTop = kStageSize.height();
    if (side == HeaderSide::Left || side == HeaderSide::Right) {
        band = addHeader(text, side, area, scene);
        footerTop = addFooter(text, area, scene);
    } else {
        footerTop = addFooter(text, area, scene);
        band = addHeader(text, side, area, scene);
    }
    GraphFrame frame;
    frame.plotArea = area;
    frame.reach = reachBeside(band, side);
    // A moved graph stays clear of the footer too.
    frame.reach.setBottom(std::min(frame.reach.bottom(), footerTop));
    frame.titlePixels = kHeaderPixels;
    frame.scale = text.number(keys::kGraphScale, 100, 50, 150) / 100.0;
    frame.offset =
        QPointF(text.number(keys::kGraphX, 0, -kStageSize.width(), kStageSize.width()),
                text.number(keys::kGraphY, 0, -kStageSize.height(), kStageSize.height()));
    return frame;
}

} // namespace tivora::engine
