#include "engine/series/bar_chart_node.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/growth.h"
#include "engine/series/series_data.h"
#include "engine/series/value_label_layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

// Bars narrower than this are plain rectangles: a cylinder's shading cannot be seen on them, and
// graphs with thousands of bars must stay quick to draw.
constexpr double kNarrowestCylinder = 4.0;
constexpr double kDefaultGapShare = 0.25;
constexpr double kWidestDefaultGap = 40.0;

QBrush cylinderBrush(const QColor& color) {
    // The gradient runs across the bar's own bounding box, so one brush serves every bar.
    QLinearGradient gradient(0.0, 0.0, 1.0, 0.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, color.darker(140));
    gradient.setColorAt(0.32, color.lighter(135));
    gradient.setColorAt(0.55, color);
    gradient.setColorAt(1.0, color.darker(170));
    return gradient;
}

double capHeight(double width) {
    return std::clamp(width * 0.28, 2.0, 12.0);
}

// A translucent bar shows the plot through it: labels inside must stand out against both.
QColor seenColor(const Series& series, const QColor& behind) {
    const double opacity = std::clamp(series.opacity / 100.0, 0.0, 1.0);
    const auto mix = [opacity](int bar, int back) {
        return int(std::lround(bar * opacity + back * (1.0 - opacity)));
    };
    return QColor(mix(series.color.red(), behind.red()), mix(series.color.green(), behind.green()),
                  mix(series.color.blue(), behind.blue()));
}

} // namespace

BarChartNode::BarChartNode(const SeriesData& data, const PlotGeometry& geometry)
    : m_geometry(geometry) {
    const double slot = geometry.slotWidth();
    const double gap = std::clamp(
        data.gap.value_or(std::min(slot * kDefaultGapShare, kWidestDefaultGap)), 0.0, slot * 0.9);
    const auto isBar = [](const Series& s) {
        return s.type == SeriesType::Bar;
    };
    const int barSeries = int(std::ranges::count_if(data.series, isBar));
    if (barSeries == 0)
        return;
    const int sideBySide = data.stacked ? 1 : barSeries;
    const double width = std::min((slot - gap) / sideBySide, kWidestBar);
    // The bars of a column stand together in the middle of its slot.
    const double groupLeft = (slot - width * sideBySide) / 2;
    // Bars of one column keep a little air between them once there is room for it.
    const double air = width > 8.0 ? width * 0.08 : 0.0;
    m_series.reserve(std::size_t(barSeries));
    int place = 0;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        if (!isBar(data.series[i]))
            continue;
        addSeries(data.series[i], i, groupLeft + place * width + air / 2, width - air,
                  data.stacked);
        if (!data.stacked)
            ++place;
    }
}

bool BarChartNode::isFlat() const {
    return std::ranges::all_of(m_series, [](const BarSeries& series) {
        return series.bars.empty() || series.bars.front().width < kNarrowestCylinder;
    });
}

std::size_t BarChartNode::barCount() const {
    std::size_t count = 0;
    for (const BarSeries& series : m_series)
        count += series.bars.size();
    return count;
}

void BarChartNode::addSeries(const Series& series, std::size_t source, double left, double width,
                             bool stacks) {
    BarSeries bars;
    bars.source = source;
    bars.growth = growthTrack(series.speed);
    const QColor color = withOpacity(series.color, series.opacity);
    bars.body = cylinderBrush(color);
    bars.cap = color.lighter(118);
    bars.flat = color;
    bars.stacks = stacks;
    bars.bars.reserve(series.values.size());
    for (int column = 0; column < int(series.values.size()); ++column) {
        const double value = series.values[std::size_t(column)];
        if (!std::isnan(value))
            bars.bars.push_back({m_geometry.columnLeft(column) + left, width, column, value});
    }
    m_series.push_back(std::move(bars));
}

// Where every bar stands at time, series after series.
std::vector<BarChartNode::BarSpan> BarChartNode::spans(Millis time) const {
    const AxisScale& scale = m_geometry.scale;
    const double baseline = scale.baseline();
    const std::size_t columns = std::size_t(std::max(m_geometry.columns, 0));
    std::vector<double> stackUp(columns, baseline);
    std::vector<double> stackDown(stackUp);
    std::vector<double> values;
    std::vector<double> bases;
    for (const BarSeries& series : m_series) {
        const double grown = series.growth.at(time);
        for (const Bar& bar : series.bars) {
            double base = baseline;
            double tip = baseline + (bar.value - baseline) * grown;
            if (series.stacks) {
                double& stack = (bar.value >= 0 ? stackUp : stackDown)[std::size_t(bar.column)];
                base = stack;
                tip = stack + bar.value * grown;
                stack = tip;
            }
            bases.push_back(base);
            values.push_back(tip);
        }
    }
    std::vector<BarSpan> result;
    result.reserve(values.size());
    std::size_t index = 0;
    for (const BarSeries& series : m_series) {
        for (const Bar& bar : series.bars) {
            const double tip = values[index];
            const double base = bases[index++];
            BarSpan span;
            span.tip = m_geometry.y(std::clamp(tip, scale.min, scale.max));
            span.base = m_geometry.y(std::clamp(base, scale.min, scale.max));
            span.clipped = tip > scale.max || tip < scale.min;
            span.baseOuter = base == baseline;
            if (series.stacks) {
                const double top = (bar.value >= 0 ? stackUp : stackDown)[std::size_t(bar.column)];
                span.tipOuter = tip == top;
            }
            result.push_back(span);
        }
    }
    return result;
}

void BarChartNode::paintBar(QPainter& painter, const BarSeries& series, const Bar& bar,
                            const BarSpan& span) const {
    const double height = std::fabs(span.tip - span.base);
    // Also skips a bar whose value lies beyond what the axis can place (not a number).
    if (!(height >= 0.5))
        return;
    QRectF body(bar.left, std::min(span.tip, span.base), bar.width, height);
    if (bar.width < kNarrowestCylinder) {
        painter.fillRect(body, series.flat);
        return;
    }
    // Seen from slightly above, the lit face of a cylinder is its upper end, whichever way the bar
    // grows; the lower end shows as the curve of its bottom. The ends of the column lie within the
    // bar's own span, so its top stands at the value and its bottom on the baseline; a bar cut at
    // the plot's edge shows its cut there.
    const double cap = std::min(capHeight(bar.width), height);
    const bool upward = span.tip <= span.base;
    const bool topShows = upward ? span.tipOuter && !span.clipped : span.baseOuter;
    const bool bottomShows = upward ? span.baseOuter : span.tipOuter && !span.clipped;
    const bool topCut = span.clipped && upward;
    if (topShows)
        body.setTop(body.top() + cap / 2);
    if (bottomShows)
        body.setBottom(body.bottom() - cap / 2);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(body);
    if (!(span.clipped && !upward))
        path.addEllipse(QRectF(bar.left, body.bottom() - cap / 2, bar.width, cap));
    painter.setPen(Qt::NoPen);
    painter.setBrush(series.body);
    painter.drawPath(path);
    if (!topCut) {
        painter.setBrush(series.cap);
        painter.drawEllipse(QRectF(bar.left, body.top() - cap / 2, bar.width, cap));
    }
}

void BarChartNode::paint(QPainter& painter, Millis time) const {
    const std::vector<BarSpan> all = spans(time);
    painter.save();
    painter.setClipRect(m_geometry.plot, Qt::IntersectClip);
    std::size_t index = 0;
    for (const BarSeries& series : m_series) {
        for (const Bar& bar : series.bars)
            paintBar(painter, series, bar, all[index++]);
    }
    painter.restore();
}

void BarChartNode::addValueLabels(const SeriesData& data, const QColor& plotBackground,
                                  ValueLabelLayout& labels) const {
    std::vector<BarSpan> all;
    std::size_t index = 0;
    for (const BarSeries& bars : m_series) {
        const Series& source = data.series[bars.source];
        const auto roomOf = [&](const Bar& bar) {
            return bars.stacks ? m_geometry.slotWidth() * 0.95 : bar.width * 1.05;
        };
        if (!source.showValues || bars.bars.empty() ||
            !ValueLabelLayout::canFit(roomOf(bars.bars.front()))) {
            index += bars.bars.size();
            continue;
        }
        if (all.empty())
            all = spans(kForever);
        const QColor inside = readableOn(source.labelColor, seenColor(source, plotBackground));
        const QColor outside = readableOn(source.labelColor, plotBackground);
        for (const Bar& bar : bars.bars) {
            const BarSpan& span = all[index++];
            ValueLabelSource label;
            label.value = bar.value;
            label.decimals = source.decimals[std::size_t(bar.column)];
            label.tip = {bar.left + bar.width / 2, span.tip};
            label.rootY = span.base;
            label.room = roomOf(bar);
            label.insideDepth = std::fabs(span.tip - span.base);
            label.insideClearance = span.clipped ? 0.0 : capHeight(bar.width);
            label.insideOnly = bars.stacks;
            label.insideColor = inside;
            label.outsideColor = outside;
            label.track = bars.source;
            label.counts = source.countValues;
            labels.add(label);
        }
    }
}

Millis BarChartNode::endTime() const {
    Millis end = 0.0;
    for (const BarSeries& series : m_series)
        end = std::max(end, series.growth.endTime());
    return end;
}

} // namespace tivora::engine
