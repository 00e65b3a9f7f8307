#include "engine/series/axes_layout.h"

#include "document/graph_keys.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/scene/crisp_lines_node.h"
#include "engine/scene/group_node.h"
#include "engine/scene/text_fit.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

constexpr double kPadding = 8.0;
constexpr double kTick = 5.0;
constexpr double kGap = 4.0;
constexpr double kSmallestPlot = 40.0;
// Turned column labels take at most this share of the graph's height; longer ones are shortened.
constexpr double kMostLabelDepth = 0.3;
constexpr double kTurn = -45.0;
// More column labels than this never fit the stage, whatever the graph asks for.
constexpr int kMostColumnLabels = 1000;
constexpr double kSinTurn = 0.7071;
// Axis titles shrink to this size, then end in "...".
constexpr int kSmallestTitle = 9;
// Grid, axes and ticks are drawn one pixel wide at the stage's own size.
constexpr double kLineWidth = 1.0;

AxisLook readAxis(const GraphText& text, char axis) {
    const auto key = [axis](const char* rest) {
        return QByteArray(QByteArray("&") + axis + rest);
    };
    const bool x = axis == 'X';
    AxisLook look;
    look.title = text.string(key("Title")).trimmed();
    look.titleColor = text.color(key("TitleCol"), QColor(0x22, 0x22, 0x22));
    look.labelColor =
        text.color(x ? keys::kXLabelColor : keys::kYLabelColor, QColor(0x33, 0x33, 0x33));
    look.lineColor = text.color(key("AxisCol"), QColor(0x55, 0x55, 0x55));
    look.titlePixels = int(text.number(key("TFont"), 10, 8, 40));
    look.labelPixels = int(text.number(key("LFont"), 10, 6, 40));
    look.labelOffset = {text.number(key("lx").toLower(), 0, -100, 100),
                        text.number(key("ly").toLower(), 0, -50, 50)};
    look.titleOffset = {text.number(key("tx").toLower(), 0, x ? -300 : -100, x ? 300 : 100),
                        text.number(key("ty").toLower(), 0, x ? -70 : -200, x ? 70 : 200)};
    return look;
}

// The axis numbers; wide ones ("2,500,000") in the short form ("2.5M") when it keeps them exact.
std::vector<QString> tickLabels(const AxisScale& scale) {
    constexpr qsizetype kWidestFullNumber = 7;
    const std::vector<double> ticks = scale.ticks();
    std::vector<QString> labels;
    qsizetype longest = 0;
    for (const double value : ticks) {
        labels.push_back(scale.label(value));
        longest = std::max(longest, labels.back().size());
    }
    if (longest > kWidestFullNumber) {
        if (auto shortLabels = shortAxisLabels(ticks, scale.step))
            return *shortLabels;
    }
    return labels;
}

} // namespace

AxesLayout::AxesLayout(const GraphText& text, const std::vector<QString>& columnLabels,
                       const AxisScale& scale, const QRectF& box)
    : m_x(readAxis(text, 'X'))
    , m_y(readAxis(text, 'Y'))
    , m_gridColor(text.color(keys::kYGridColor, QColor(0xDD, 0xDD, 0xDD)))
    , m_mostColumnLabels(int(text.number(keys::kXLabelCount, 0, 0, kMostColumnLabels)))
    , m_columnLabels(columnLabels)
    , m_box(box)
    , m_numberFont(graphFont(m_y.labelPixels)) {
    m_geometry.scale = scale;
    m_geometry.columns = std::max(int(columnLabels.size()), 1);

    m_tickLabels = tickLabels(scale);
    double numberWidth = 0.0;
    for (const QString& label : m_tickLabels)
        numberWidth = std::max(numberWidth, textSize(label, m_numberFont).width());
    const double numberHeight = QFontMetricsF(m_numberFont).height();
    const double titleHeight = QFontMetricsF(graphFont(m_y.titlePixels, true)).height();

    double left = box.left() + kPadding + (m_y.title.isEmpty() ? 0 : titleHeight + kGap) +
                  numberWidth + kGap + kTick;
    const double right = box.right() - kPadding * 2;
    const double top = box.top() + kPadding + numberHeight / 2;
    ColumnLabelPlan plan = planColumnLabels(right - left, box.height());
    if (plan.turned) {
        // Turned labels reach left of their column: the first one must not leave the box.
        const double reach = plan.longest * kSinTurn - (right - left) / m_geometry.columns / 2;
        if (box.left() + kPadding + reach > left) {
            left = box.left() + kPadding + reach;
            plan = planColumnLabels(right - left, box.height());
        }
    }
    const double xTitleHeight =
        m_x.title.isEmpty() ? 0 : QFontMetricsF(graphFont(m_x.titlePixels, true)).height() + kGap;
    const double bottom = std::max(
        box.bottom() - kPadding - xTitleHeight - plan.depth - kGap - kTick, top + kSmallestPlot);
    m_geometry.plot =
        QRectF(QPointF(left, top), QPointF(std::max(right, left + kSmallestPlot), bottom));
    placeNumbers();
    placeColumnLabels(plan);
    placeTitles(plan.depth);
    m_extent = m_geometry.plot;
    for (const PlacedText& placed : m_texts)
        m_extent |= placed.bounds();
}

AxesLayout::ColumnLabelPlan AxesLayout::planColumnLabels(double plotWidth, double boxHeight) const {
    ColumnLabelPlan plan;
    plan.font = graphFont(m_x.labelPixels);
    const int count = int(m_columnLabels.size());
    if (count == 0)
        return plan;
    const QFontMetricsF metrics(plan.font);
    const double slot = std::max(plotWidth, 1.0) / count;
    const int allowed =
        m_mostColumnLabels > 0 ? (count + m_mostColumnLabels - 1) / m_mostColumnLabels : 1;
    const int turned = int(std::ceil(metrics.height() * 1.3 / slot));
    const double mostLength =
        (boxHeight * kMostLabelDepth - metrics.height() * kSinTurn) / kSinTurn;
    // Labels at least this wide are all turned and cut to the same length, so a longer one need
    // not be measured to its end; a label repeated from the one before is not measured again.
    const double enough =
        std::max({(count + allowed + turned) * slot, mostLength, metrics.height()}) + 1.0;
    const QString* measured = nullptr;
    for (const QString& label : m_columnLabels) {
        if (measured != nullptr && label == *measured)
            continue;
        plan.longest = std::max(plan.longest, widthUpTo(label, metrics, enough));
        measured = &label;
    }
    const int flat = int(std::ceil((plan.longest + 2 * kGap) / slot));
    plan.every = std::max(allowed, flat);
    if (flat > allowed) {
        // Words on two or three lines read more easily than a turned or thinned row.
        if (auto wrapped = wrappedLabels(allowed, allowed * slot - 2 * kGap, plan.font)) {
            plan.every = allowed;
            plan.longest = allowed * slot - 2 * kGap;
            qsizetype lines = 1;
            for (const QStringList& label : *wrapped)
                lines = std::max(lines, label.size());
            plan.depth = metrics.height() * double(lines);
            plan.wrapped = std::move(*wrapped);
            return plan;
        }
    }
    if (flat > allowed && std::max(allowed, turned) < flat) {
        plan.turned = true;
        plan.every = std::max(allowed, turned);
        plan.longest = std::min(plan.longest, std::max(mostLength, metrics.height()));
        plan.depth = (plan.longest + metrics.height()) * kSinTurn;
    } else {
        plan.longest = std::min(plan.longest, plan.every * slot - kGap);
        plan.depth = metrics.height();
    }
    plan.every = std::max(plan.every, 1);
    return plan;
}

std::optional<std::vector<QStringList>> AxesLayout::wrappedLabels(int every, double width,
                                                                  const QFont& font) const {
    constexpr int kMostLines = 3;
    // Narrower than a few letters, a label would wrap a word to a line.
    constexpr double kNarrowestWrap = 3.0;
    const double lineHeight = QFontMetricsF(font).height();
    if (width < kNarrowestWrap * lineHeight)
        return std::nullopt;
    std::vector<QStringList> wrapped;
    for (std::size_t column = 0; column < m_columnLabels.size(); column += std::size_t(every)) {
        const QString words = m_columnLabels[column].split(u' ', Qt::SkipEmptyParts).join(u' ');
        const FittedLines fitted = fitLines(words, font, QSizeF(width, lineHeight * kMostLines),
                                            kMostLines, font.pixelSize());
        if (fitted.lines.join(u' ') != words)
            return std::nullopt;
        wrapped.push_back(fitted.lines);
    }
    return wrapped;
}

int AxesLayout::numberEvery(double plotHeight, double numberHeight) const {
    const AxisScale& scale = m_geometry.scale;
    const int intervals = int(std::lround((scale.max - scale.min) / scale.step));
    if (intervals < 1)
        return 1;
    const double spacing = plotHeight / intervals;
    const int needed = std::max(1, int(std::ceil(numberHeight * 1.15 / std::max(spacing, 0.01))));
    // Thinned numbers keep round steps and, where a divisor allows, both ends of the axis.
    for (const int every : {1, 2, 4, 5, 10, 20, 25, 50, 100}) {
        if (every >= needed && intervals % every == 0)
            return every;
    }
    for (const int every : {2, 5, 10, 20, 25, 50, 100}) {
        if (every >= needed)
            return every;
    }
    return needed;
}

std::vector<double> AxesLayout::markedValues() const {
    const auto ticks = m_geometry.scale.ticks();
    std::vector<double> marked;
    for (std::size_t i = 0; i < ticks.size(); i += std::size_t(m_numberEvery))
        marked.push_back(ticks[i]);
    return marked;
}

QString AxesLayout::markedLabel(std::size_t markedIndex) const {
    return m_tickLabels[markedIndex * std::size_t(m_numberEvery)];
}

void AxesLayout::placeNumbers() {
    const PlotGeometry& g = m_geometry;
    m_numberEvery = numberEvery(g.plot.height(), QFontMetricsF(m_numberFont).height());
    const std::vector<double> marked = markedValues();
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const QPointF anchor(g.plot.left() - kTick - kGap, g.y(marked[i]));
        m_texts.push_back({markedLabel(i), m_numberFont, m_y.labelColor, anchor + m_y.labelOffset,
                           Qt::AlignRight | Qt::AlignVCenter, 0.0,
                           ItemTag{ItemKind::AxisLabel, 0, 0, {}}});
    }
}

void AxesLayout::placeColumnLabels(const ColumnLabelPlan& plan) {
    const QFontMetricsF metrics(plan.font);
    const double top = m_geometry.plot.bottom() + kTick + kGap / 2;
    if (!plan.wrapped.empty()) {
        placeWrappedColumnLabels(plan, top);
        return;
    }
    for (int column = 0; column < int(m_columnLabels.size()); column += plan.every) {
        const QString text = elidedText(m_columnLabels[std::size_t(column)], metrics,
                                        plan.longest + 0.5, Qt::ElideMiddle);
        const double x = m_geometry.columnCentre(column);
        PlacedText placed{
            text,
            plan.font,
            m_x.labelColor,
            QPointF(x, top) + m_x.labelOffset,
            Qt::AlignHCenter | Qt::AlignTop,
            0.0,
            ItemTag{ItemKind::XLabel, 0, column + 1, m_columnLabels[std::size_t(column)]}};
        if (plan.turned) {
            placed.alignment = Qt::AlignRight | Qt::AlignVCenter;
            placed.rotation = kTurn;
            placed.anchor += QPointF(metrics.height() * 0.3, metrics.height() * 0.3);
        }
        m_texts.push_back(placed);
    }
}

void AxesLayout::placeWrappedColumnLabels(const ColumnLabelPlan& plan, double top) {
    const double lineHeight = QFontMetricsF(plan.font).height();
    for (std::size_t shown = 0; shown < plan.wrapped.size(); ++shown) {
        const int column = int(shown) * plan.every;
        const QStringList& lines = plan.wrapped[shown];
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QPointF anchor(m_geometry.columnCentre(column), top + lineHeight * double(i));
            m_texts.push_back(
                {lines[i], plan.font, m_x.labelColor, anchor + m_x.labelOffset,
                 Qt::AlignHCenter | Qt::AlignTop, 0.0,
                 ItemTag{ItemKind::XLabel, 0, column + 1, m_columnLabels[std::size_t(column)]}});
        }
    }
}

void AxesLayout::placeTitles(double columnLabelDepth) {
    const QRectF& plot = m_geometry.plot;
    if (!m_y.title.isEmpty()) {
        // Along the plot's side and no further, so a long title never runs into the header.
        const FittedText fitted =
            fitText(m_y.title, graphFont(m_y.titlePixels, true), plot.height(), kSmallestTitle);
        const QPointF anchor(m_box.left() + kPadding + fitted.size.height() / 2, plot.center().y());
        m_texts.push_back({fitted.text, fitted.font, m_y.titleColor, anchor + m_y.titleOffset,
                           Qt::AlignCenter, -90.0, ItemTag{ItemKind::AxisTitle, 0, 0, m_y.title}});
    }
    if (!m_x.title.isEmpty()) {
        const FittedText fitted = fitText(m_x.title, graphFont(m_x.titlePixels, true),
                                          m_box.width() - kPadding, kSmallestTitle);
        const QPointF anchor(plot.center().x(),
                             plot.bottom() + kTick + kGap + columnLabelDepth + kGap);
        m_texts.push_back({fitted.text, fitted.font, m_x.titleColor, anchor + m_x.titleOffset,
                           Qt::AlignHCenter | Qt::AlignTop, 0.0,
                           ItemTag{ItemKind::AxisTitle, 0, 0, m_x.title}});
    }
}

void AxesLayout::addGrid(GroupNode& group) const {
    const PlotGeometry& g = m_geometry;
    std::vector<QLineF> grid;
    for (const double value : markedValues())
        grid.emplace_back(g.plot.left(), g.y(value), g.plot.right(), g.y(value));
    group.add(std::make_unique<CrispLinesNode>(std::move(grid), m_gridColor, kLineWidth));
}

void AxesLayout::addAxes(GroupNode& group) const {
    const PlotGeometry& g = m_geometry;
    std::vector<QLineF> yAxis;
    for (const double value : markedValues())
        yAxis.emplace_back(g.plot.left() - kTick, g.y(value), g.plot.left(), g.y(value));
    yAxis.emplace_back(g.plot.topLeft(), g.plot.bottomLeft());
    group.add(std::make_unique<CrispLinesNode>(std::move(yAxis), m_y.lineColor, kLineWidth));
    const double baseY = g.y(g.scale.baseline());
    group.add(std::make_unique<CrispLinesNode>(
        std::vector<QLineF>{{g.plot.left() - kTick, baseY, g.plot.right(), baseY}}, m_x.lineColor,
        kLineWidth));
    for (const PlacedText& placed : m_texts)
        group.add(placed.node());
}

} // namespace tivora::engine
