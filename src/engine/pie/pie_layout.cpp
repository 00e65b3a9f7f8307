#include "document/variable_text.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/layout/graph_frame_transform.h"
#include "engine/layout/graph_layout.h"
#include "engine/layout/graph_style.h"
#include "engine/pie/pie_body_node.h"
#include "engine/pie/pie_data.h"
#include "engine/pie/pie_image_node.h"
#include "engine/pie/pie_label_placer.h"
#include "engine/pie/pie_labels_node.h"
#include "engine/pie/pie_shadow_node.h"
#include "engine/pie/pie_sweep_edge_node.h"
#include "engine/scene/group_node.h"
#include "engine/scene/raster_cache_node.h"
#include "engine/scene/shape_node.h"
#include "engine/scene/text_fit.h"
#include "engine/scene/text_node.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr double kStartAngle = -90.0;
constexpr double kLeaderRoom = 22.0;  // between the rim and the label column
constexpr double kValueRadius = 0.62; // where a value sits on its slice, as part of the radius
constexpr double kShadowUnits = 5.0;  // shadow offset steps per stage unit
constexpr Millis kOpeningDelay = 150.0;
constexpr int kSmallestLabel = 9;
const QColor kEmptyPieColor(0x6B, 0x7A, 0x8F);
const QRectF kStageRect(QPointF(0, 0), kStageSize);

// Speed 5 opens in about three seconds, 100 in a third of a second.
Millis openingDuration(int speed) {
    return 300.0 + 2700.0 * (100.0 - speed) / 95.0;
}

QColor shaded(const QColor& color, int shade) {
    const double keep = 1.0 - 0.75 * shade / 100.0;
    return QColor::fromRgbF(float(color.redF() * keep), float(color.greenF() * keep),
                            float(color.blueF() * keep));
}

// One slice's place on the pie and what it shows.
struct SlicePlan {
    std::size_t index = 0;
    double start = 0;
    double span = 0;
    double mid() const { return start + span / 2; }
    double revealAt() const { return mid() - kStartAngle; }
    QPointF shift;
    QString value;
    bool valueInside = false;
    bool wedge = true; // a pie of nothing spaces its labels evenly but draws no wedges
};

class PieLayout {
public:
    PieLayout(const PieData& pie, const QRectF& area)
        : m_pie(pie)
        , m_area(area)
        , m_labelFont(graphFont(pie.labelFontSize))
        , m_valueFont(graphFont(pie.valueFontSize, true)) {
        place();
    }

    // Everything the pie draws, labels included.
    QRectF extent() const { return extentOf(m_texts); }
    std::unique_ptr<GroupNode> build(const QDir& movieFolder, const QTransform& transform);

private:
    // Sizes the pie and places its slices and labels.
    void place();
    double labelRoom() const;
    void planSlices();
    bool valueFits(const SlicePlan& plan) const;
    void addValuesInside(std::vector<PieText>& texts) const;
    void addLabelColumn(bool right, std::vector<PieText>& texts,
                        std::vector<PieLeader>& leaders) const;
    void addLabelRow(const SlicePlan& plan, bool right, const QStringList& lines, double top,
                     double rowHeight, std::vector<PieText>& texts,
                     std::vector<PieLeader>& leaders) const;
    // How wide every label beside the pie may be, and a label wrapped to that width.
    double labelWidth() const;
    QStringList labelLines(const QString& label, int mostLines) const;
    QPointF anchorOf(const SlicePlan& plan) const;
    QRectF extentOf(const std::vector<PieText>& texts) const;
    QRectF shadowEllipse() const;
    std::vector<PieSliceShape> sliceShapes() const;
    void addBody(const Track& sweep, GroupNode& group) const;
    void addOutline(GroupNode& group) const;
    void addImage(const QDir& movieFolder, const Track& reveal, GroupNode& group) const;

    const PieData& m_pie;
    QRectF m_area;
    QFont m_labelFont;
    QFont m_valueFont;
    double m_maxOffset = 0;
    PieGeometry m_geometry;
    std::vector<SlicePlan> m_plans;
    std::vector<PieText> m_texts;
    std::vector<PieLeader> m_leaders;
};

double PieLayout::labelRoom() const {
    const QFontMetricsF metrics(m_labelFont);
    double widest = 0;
    for (const PieSlice& slice : m_pie.slices)
        widest = std::max(widest, metrics.horizontalAdvance(slice.label));
    if (m_pie.show != PieValues::None)
        widest += QFontMetricsF(m_valueFont).horizontalAdvance(u"  100%"_s);
    return std::min(widest, m_area.width() * 0.24) + kLeaderRoom;
}

void PieLayout::planSlices() {
    const double total = m_pie.total();
    const bool empty = !(total > 0);
    const std::vector<QString> values = m_pie.valueTexts();
    double start = kStartAngle;
    for (std::size_t i = 0; i < m_pie.slices.size(); ++i) {
        const PieSlice& slice = m_pie.slices[i];
        // A slice of nothing (or less) draws no wedge but keeps its row beside the pie.
        SlicePlan plan;
        plan.index = i;
        plan.start = start;
        plan.wedge = !empty;
        plan.span = empty ? 360.0 / double(m_pie.slices.size())
                          : std::max(360.0 * slice.value / total, 0.0);
        const bool drawn = plan.wedge && plan.span > 0;
        plan.shift = drawn ? m_geometry.pullOut(plan.mid(), slice.offset) : QPointF();
        plan.value = values[i];
        plan.valueInside = drawn && !plan.value.isEmpty() && valueFits(plan);
        start += plan.span;
        m_plans.push_back(plan);
    }
}

bool PieLayout::valueFits(const SlicePlan& plan) const {
    const QSizeF size = QFontMetricsF(m_valueFont).boundingRect(plan.value).size();
    const double angle = PieGeometry::radians(plan.mid());
    const double along =
        std::abs(std::sin(angle)) * size.width() + std::abs(std::cos(angle)) * size.height();
    const double tangent =
        std::hypot(m_geometry.rx * std::sin(angle), m_geometry.ry * std::cos(angle));
    return PieGeometry::radians(std::min(plan.span, 180.0)) * kValueRadius * tangent >=
               along * 1.1 &&
           size.height() < m_geometry.ry * 0.8;
}

void PieLayout::addValuesInside(std::vector<PieText>& texts) const {
    const QFontMetricsF metrics(m_valueFont);
    for (const SlicePlan& plan : m_plans) {
        if (!plan.valueInside)
            continue;
        const PieSlice& slice = m_pie.slices[plan.index];
        const QSizeF size(metrics.horizontalAdvance(plan.value), metrics.height());
        const QPointF centre = m_geometry.pointAt(plan.mid(), kValueRadius) + plan.shift;
        const QPointF topLeft =
            centre - QPointF(size.width() / 2, size.height() / 2) + slice.valueMove;
        texts.push_back({plan.value, m_valueFont, slice.valueColor, topLeft, plan.revealAt(), true,
                         int(plan.index) + 1, plan.value});
    }
}

QPointF PieLayout::anchorOf(const SlicePlan& plan) const {
    // Front slices are pointed at below their wall, so the leader runs clear of the pie.
    const double angle = PieGeometry::radians(plan.mid());
    const QPointF outward(3 * std::cos(angle), 3 * std::sin(angle));
    const QPointF rim = m_geometry.pointAt(plan.mid()) + plan.shift + outward;
    return std::sin(angle) > 0 ? rim + QPointF(0, m_geometry.depth) : rim;
}

double PieLayout::labelWidth() const {
    // Every label, on either side and beside a value or not, gets the same width, so that labels
    // of one length are all whole or all wrapped alike.
    const QFontMetricsF valueMetrics(m_valueFont);
    double widestValue = 0;
    for (const SlicePlan& plan : m_plans) {
        if (!plan.valueInside && !plan.value.isEmpty())
            widestValue = std::max(widestValue, valueMetrics.horizontalAdvance(plan.value) + 6);
    }
    const double reach = m_geometry.rx + m_maxOffset + kLeaderRoom - 6;
    const double room = std::min(m_area.right() - (m_geometry.centre.x() + reach),
                                 (m_geometry.centre.x() - reach) - m_area.left()) -
                        4;
    return std::max(0.0, room - widestValue);
}

QStringList PieLayout::labelLines(const QString& label, int mostLines) const {
    if (label.isEmpty())
        return {};
    // Wrapped at its own size; what still does not fit is cut in the middle of its last line.
    const double lineHeight = QFontMetricsF(m_labelFont).height();
    return fitLines(label, m_labelFont, QSizeF(labelWidth(), lineHeight * mostLines), mostLines,
                    m_labelFont.pixelSize())
        .lines;
}

void PieLayout::addLabelColumn(bool right, std::vector<PieText>& texts,
                               std::vector<PieLeader>& leaders) const {
    constexpr int kMostLabelLines = 3;
    std::vector<const SlicePlan*> members;
    for (const SlicePlan& plan : m_plans) {
        const bool hasText = !m_pie.slices[plan.index].label.isEmpty() ||
                             (!plan.valueInside && !plan.value.isEmpty());
        if (hasText && (std::cos(PieGeometry::radians(plan.mid())) >= 0) == right)
            members.push_back(&plan);
    }
    const double lineHeight = QFontMetricsF(m_labelFont).height();
    const double valueHeight = QFontMetricsF(m_valueFont).height();
    // Wrapped labels stand taller; when the column then has no room for them all, every label
    // keeps to one line.
    const auto place = [&](int mostLines, std::vector<QStringList>& lines) {
        std::vector<PieLabelPlacer::Label> column;
        lines.clear();
        for (const SlicePlan* plan : members) {
            lines.push_back(labelLines(m_pie.slices[plan->index].label, mostLines));
            const double height =
                std::max(lineHeight * double(std::max<qsizetype>(lines.back().size(), 1)),
                         valueHeight) +
                2;
            column.push_back({anchorOf(*plan).y(), height, m_pie.slices[plan->index].value});
        }
        PieLabelPlacer(m_area.top() + 4, m_area.bottom() - 4).place(column);
        return column;
    };
    std::vector<QStringList> lines;
    std::vector<PieLabelPlacer::Label> column = place(kMostLabelLines, lines);
    const auto shownCount = [](const std::vector<PieLabelPlacer::Label>& labels) {
        return std::ranges::count_if(labels, [](const auto& label) { return label.shown; });
    };
    if (shownCount(column) < std::ssize(column)) {
        std::vector<QStringList> oneLine;
        std::vector<PieLabelPlacer::Label> single = place(1, oneLine);
        if (shownCount(single) > shownCount(column)) {
            column = std::move(single);
            lines = std::move(oneLine);
        }
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (column[i].shown)
            addLabelRow(*members[i], right, lines[i], column[i].y - column[i].height / 2,
                        column[i].height, texts, leaders);
    }
}

void PieLayout::addLabelRow(const SlicePlan& plan, bool right, const QStringList& lines, double top,
                            double rowHeight, std::vector<PieText>& texts,
                            std::vector<PieLeader>& leaders) const {
    const QFontMetricsF labelMetrics(m_labelFont);
    const QFontMetricsF valueMetrics(m_valueFont);
    const double direction = right ? 1.0 : -1.0;
    const double columnX =
        m_geometry.centre.x() + direction * (m_geometry.rx + m_maxOffset + kLeaderRoom - 6);
    const PieSlice& slice = m_pie.slices[plan.index];
    // A value too big for its slice follows the label's first line, in the label's colour.
    const QString value = plan.valueInside ? QString() : plan.value;
    const double valueWidth = value.isEmpty() ? 0 : valueMetrics.horizontalAdvance(value) + 6;
    double labelWidth = 0;
    for (const QString& line : lines)
        labelWidth = std::max(labelWidth, labelMetrics.horizontalAdvance(line));
    const double rowWidth = labelWidth + (lines.isEmpty() ? valueWidth - 6 : valueWidth);
    const QPointF rowTop(right ? columnX + 4 : columnX - 4 - rowWidth, top + 1);
    const QPointF moved = rowTop + slice.labelMove;
    // The first line (or the value) is centred on where the leader ends.
    const double firstLineHeight = std::max(lines.isEmpty() ? 0 : labelMetrics.height(),
                                            value.isEmpty() ? 0 : valueMetrics.height());
    const double blockHeight = std::max(labelMetrics.height() * double(lines.size()),
                                        value.isEmpty() ? 0 : valueMetrics.height());
    const double blockTop = (rowHeight - 2 - blockHeight) / 2;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double lineTop = blockTop + (firstLineHeight - labelMetrics.height()) / 2 +
                               labelMetrics.height() * double(i);
        texts.push_back({lines[i], m_labelFont, slice.labelColor, moved + QPointF(0, lineTop),
                         plan.revealAt(), false, int(plan.index) + 1, slice.label});
    }
    if (!value.isEmpty()) {
        const double x = lines.isEmpty() ? 0 : labelWidth + 6;
        const double valueTop = blockTop + (firstLineHeight - valueMetrics.height()) / 2;
        texts.push_back({value, m_valueFont, slice.labelColor,
                         rowTop + QPointF(x, valueTop) + slice.valueMove, plan.revealAt(), false,
                         int(plan.index) + 1, value});
    }
    const QPointF end(right ? moved.x() - 2 : moved.x() + rowWidth + 2,
                      moved.y() + blockTop + firstLineHeight / 2);
    QColor lineColor = slice.labelColor;
    lineColor.setAlpha(140);
    leaders.push_back({QPolygonF({anchorOf(plan), QPointF(end.x() - direction * 8, end.y()), end}),
                       lineColor, plan.revealAt()});
}

QRectF PieLayout::extentOf(const std::vector<PieText>& texts) const {
    QRectF extent = m_geometry.topRect()
                        .adjusted(-m_maxOffset, -m_maxOffset, m_maxOffset, m_maxOffset)
                        .united(m_geometry.topRect().translated(0, m_geometry.depth + m_maxOffset));
    for (const PieText& text : texts)
        extent |= QRectF(text.topLeft, QFontMetricsF(text.font).size(0, text.text));
    return extent;
}

void PieLayout::place() {
    for (const PieSlice& slice : m_pie.slices)
        m_maxOffset = std::max(m_maxOffset, slice.value > 0 ? slice.offset : 0.0);
    m_geometry = PieGeometry::fit(m_area, labelRoom(), m_maxOffset);
    planSlices();
    addValuesInside(m_texts);
    addLabelColumn(true, m_texts, m_leaders);
    addLabelColumn(false, m_texts, m_leaders);
}

std::unique_ptr<GroupNode> PieLayout::build(const QDir& movieFolder, const QTransform& transform) {

    const Millis duration = openingDuration(m_pie.speed);
    const Track sweep = m_pie.animate
                            ? Track::ramp(0, 360, kOpeningDelay, duration, Easing::InOutSine)
                            : Track(360);
    const Track reveal =
        m_pie.animate ? Track::ramp(0, 1, kOpeningDelay, duration, Easing::InOutSine) : Track(1);
    auto group = std::make_unique<GroupNode>(transform);
    if (m_pie.total() > 0) {
        if (m_pie.shadow)
            group->add(std::make_unique<PieShadowNode>(shadowEllipse(), m_pie.shadowAlpha / 100.0,
                                                       reveal));
        addBody(sweep, *group);
        addImage(movieFolder, reveal, *group);
    } else {
        addOutline(*group);
    }
    group->add(std::make_unique<PieLabelsNode>(m_texts, m_leaders, sweep));
    return group;
}

std::vector<PieSliceShape> PieLayout::sliceShapes() const {
    std::vector<const SlicePlan*> drawn;
    for (const SlicePlan& plan : m_plans) {
        if (plan.wedge && plan.span > 0)
            drawn.push_back(&plan);
    }
    std::vector<PieSliceShape> shapes;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const SlicePlan& plan = *drawn[i];
        const PieSlice& slice = m_pie.slices[plan.index];
        const auto apart = [&plan](const SlicePlan& neighbour) {
            return &neighbour == &plan || !plan.shift.isNull() || !neighbour.shift.isNull();
        };
        PieSliceShape shape{plan.start, plan.span, plan.shift, shaded(slice.color, slice.shade),
                            slice.alpha / 100.0};
        shape.number = int(plan.index) + 1;
        shape.startFaceShows = apart(*drawn[(i + drawn.size() - 1) % drawn.size()]);
        shape.endFaceShows = apart(*drawn[(i + 1) % drawn.size()]);
        shapes.push_back(shape);
    }
    return shapes;
}

void PieLayout::addBody(const Track& sweep, GroupNode& group) const {
    std::vector<PieSliceShape> shapes = sliceShapes();
    const PieGeometry geometry = m_geometry;
    auto uncovered = [geometry, sweep](Millis time) {
        return geometry.sweptArea(kStartAngle, sweep.at(time));
    };
    group.add(std::make_unique<RasterCacheNode>(
        std::make_unique<PieBodyNode>(m_geometry, shapes, sweep), kStageRect, uncovered));
    group.add(std::make_unique<PieSweepEdgeNode>(m_geometry, std::move(shapes), sweep));
}

// A pie whose values are all nothing still shows where it stands, with its labels around it and
// a line that says why it is empty.
void PieLayout::addOutline(GroupNode& group) const {
    const QRectF top = m_geometry.topRect();
    QPainterPath outline;
    outline.addEllipse(top);
    const QRectF bottom = top.translated(0, m_geometry.depth);
    outline.moveTo(bottom.left(), bottom.center().y());
    outline.arcTo(bottom, 180.0, 180.0);
    outline.moveTo(top.left(), top.center().y());
    outline.lineTo(bottom.left(), bottom.center().y());
    outline.moveTo(top.right(), top.center().y());
    outline.lineTo(bottom.right(), bottom.center().y());
    group.add(std::make_unique<ShapeNode>(outline, Qt::NoBrush, QPen(kEmptyPieColor, 1.2)));
    const QString message = u"No values"_s;
    const FittedText fitted = fitText(message, m_labelFont, top.width() * 0.8, kSmallestLabel);
    auto text = std::make_unique<TextNode>(fitted.text, fitted.font, kEmptyPieColor, top.center(),
                                           Qt::AlignCenter);
    text->setTag({ItemKind::PieLabel, 0, 0, message});
    group.add(std::move(text));
}

void PieLayout::addImage(const QDir& movieFolder, const Track& reveal, GroupNode& group) const {
    if (m_pie.imagePath.isEmpty())
        return;
    QImage image = loadPicture(m_pie.imagePath, movieFolder);
    if (!image.isNull())
        group.add(std::make_unique<PieImageNode>(std::move(image), m_geometry.topRect(),
                                                 m_pie.imageAlpha / 100.0, reveal));
}

QRectF PieLayout::shadowEllipse() const {
    const QRectF base =
        m_geometry.topRect()
            .adjusted(-m_maxOffset, -m_maxOffset * 0.6, m_maxOffset, m_maxOffset * 0.6)
            .translated(m_pie.shadowOffset / kShadowUnits + QPointF(0, m_geometry.depth));
    return base.adjusted(-base.width() * 0.04, -base.height() * 0.04, base.width() * 0.04,
                         base.height() * 0.06);
}

} // namespace

void layoutPieGraph(const VariableText& text, const GraphFrame& frame, const QDir& movieFolder,
                    Scene& scene) {
    const PieData pie = PieData::read(text);
    if (pie.slices.empty())
        return;
    // As a series graph: the scale sizes the pie, not its labels.
    PieLayout unscaled(pie, frame.plotArea);
    const QRectF extent = unscaled.extent();
    const QPointF centre = frame.plotArea.center();
    const double scale = graphScaleFor(frame, extent, centre);
    PieLayout layout(pie,
                     scale == 1.0 ? frame.plotArea : scaledAbout(frame.plotArea, centre, scale));
    scene.add(Layer::Plot,
              std::make_unique<RasterCacheNode>(
                  layout.build(movieFolder, movedWithin(frame, layout.extent())), kStageRect));
}

} // namespace tivora::engine
