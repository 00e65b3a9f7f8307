#include "engine/series/bar_chart_node.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/growth.h"
#include "engine/series/series_data.h"

#include <QFontMetricsF>
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
constexpr double kLabelPadding = 3.0;
constexpr int kSmallestLabelPixels = 7;
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

} // namespace

BarChartNode::BarChartNode(const SeriesData& data, const PlotGeometry& geometry,
                           const QColor& plotBackground)
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
    const double groupWidth = slot - gap;
    const double width = groupWidth / sideBySide;
    // Bars of one column keep a little air between them once there is room for it.
    const double air = width > 8.0 ? width * 0.08 : 0.0;
    int place = 0;
    for (const Series& series : data.series) {
        if (!isBar(series))
            continue;
        const double left = gap / 2 + place * width + air / 2;
        addSeries(series, left, width - air, data.stacked);
        if (!data.stacked)
            ++place;
    }
    std::size_t index = 0;
    for (const Series& series : data.series) {
        if (isBar(series))
            decideLabels(m_series[index++], series, plotBackground);
    }
}

void BarChartNode::addSeries(const Series& series, double left, double width, bool stacks) {
    BarSeries bars;
    bars.growth = growthTrack(series.speed);
    const QColor color = withOpacity(series.color, series.opacity);
    bars.body = cylinderBrush(color);
    bars.cap = color.lighter(118);
    bars.flat = color;
    bars.stacks = stacks;
    for (int column = 0; column < int(series.values.size()); ++column) {
        const double value = series.values[std::size_t(column)];
        if (!std::isnan(value))
            bars.bars.push_back({m_geometry.columnLeft(column) + left, width, column, value});
    }
    m_series.push_back(std::move(bars));
}

void BarChartNode::decideLabels(BarSeries& bars, const Series& source,
                                const QColor& plotBackground) {
    if (!source.showValues || bars.bars.empty())
        return;
    const double room = bars.stacks ? m_geometry.slotWidth() * 0.95 : bars.bars.front().width * 1.1;
    // Not even one digit fits at the smallest size: skip measuring thousands of labels.
    if (room < kSmallestLabelPixels * 0.6)
        return;
    std::vector<QString> texts;
    double widest = 0.0;
    QFont font = graphFont(source.labelPixels, true);
    const QFontMetricsF metrics(font);
    for (const Bar& bar : bars.bars) {
        texts.push_back(formatNumber(bar.value, source.decimals[std::size_t(bar.column)]));
        widest = std::max(widest, metrics.horizontalAdvance(texts.back()));
    }
    const int fitting = int(std::floor(font.pixelSize() * room / std::max(widest, 1.0)));
    if (fitting < kSmallestLabelPixels)
        return; // too crowded for numbers that can be read: the axis has to tell the values
    font.setPixelSize(std::min(font.pixelSize(), fitting));
    bars.labelFont = font;
    bars.countLabels = source.countValues;
    const QFontMetricsF labelMetrics(font);
    // A translucent bar shows the plot through it: labels inside must stand out against both.
    const double opacity = std::clamp(source.opacity / 100.0, 0.0, 1.0);
    const auto mix = [opacity](int bar, int behind) {
        return int(std::lround(bar * opacity + behind * (1.0 - opacity)));
    };
    const QColor seenColor(mix(source.color.red(), plotBackground.red()),
                           mix(source.color.green(), plotBackground.green()),
                           mix(source.color.blue(), plotBackground.blue()));

    std::vector<double> bases;
    const std::vector<double> tops = barTops(kForever, bases);
    std::size_t first = 0;
    for (const BarSeries& other : m_series) {
        if (&other == &bars)
            break;
        first += other.bars.size();
    }
    for (std::size_t i = 0; i < bars.bars.size(); ++i) {
        Label label;
        label.text = QStaticText(texts[i]);
        label.text.setTextFormat(Qt::PlainText);
        label.text.prepare(QTransform(), font);
        label.size = {labelMetrics.horizontalAdvance(texts[i]), labelMetrics.height()};
        label.decimals = source.decimals[std::size_t(bars.bars[i].column)];
        const double height = std::fabs(tops[first + i] - bases[first + i]);
        label.fitsInside =
            height >= label.size.height() + 2 * kLabelPadding + capHeight(bars.bars[i].width);
        label.shown = label.fitsInside || !bars.stacks;
        label.insideColor = readableOn(source.labelColor, seenColor);
        label.outsideColor = readableOn(source.labelColor, plotBackground);
        bars.labels.push_back(std::move(label));
    }
}

// The top and base of every bar at time, in stage units, series after series.
std::vector<double> BarChartNode::barTops(Millis time, std::vector<double>& bases) const {
    const double baseline = m_geometry.scale.baseline();
    std::vector<double> stackUp(std::size_t(std::max(m_geometry.columns, 0)), baseline);
    std::vector<double> stackDown(stackUp);
    std::vector<double> tops;
    bases.clear();
    for (const BarSeries& series : m_series) {
        const double grown = series.growth.at(time);
        for (const Bar& bar : series.bars) {
            double base = baseline;
            double top = baseline + (bar.value - baseline) * grown;
            if (series.stacks) {
                double& stack = (bar.value >= 0 ? stackUp : stackDown)[std::size_t(bar.column)];
                base = stack;
                top = stack + bar.value * grown;
                stack = top;
            }
            bases.push_back(m_geometry.y(base));
            tops.push_back(m_geometry.y(top));
        }
    }
    return tops;
}

void BarChartNode::paintBar(QPainter& painter, const BarSeries& series, const Bar& bar, double top,
                            double base) const {
    if (std::fabs(top - base) < 0.5)
        return;
    const QRectF body(bar.left, std::min(top, base), bar.width, std::fabs(top - base));
    if (bar.width < kNarrowestCylinder) {
        painter.fillRect(body, series.flat);
        return;
    }
    // Seen from slightly above, the lit face of a cylinder is its upper end, whichever way the bar
    // grows; the lower end shows as the curve of its bottom.
    const double cap = capHeight(bar.width);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(body);
    path.addEllipse(QRectF(bar.left, body.bottom() - cap / 2, bar.width, cap));
    painter.setPen(Qt::NoPen);
    painter.setBrush(series.body);
    painter.drawPath(path);
    painter.setBrush(series.cap);
    painter.drawEllipse(QRectF(bar.left, body.top() - cap / 2, bar.width, cap));
}

void BarChartNode::paint(QPainter& painter, Millis time) const {
    std::vector<double> bases;
    const std::vector<double> tops = barTops(time, bases);
    painter.save();
    // Caps may rise above the plot's top and the bottom ends of the cylinders below its floor.
    const double cap = capHeight(m_geometry.slotWidth());
    painter.setClipRect(m_geometry.plot.adjusted(0, -cap, 0, cap / 2), Qt::IntersectClip);
    std::size_t index = 0;
    for (const BarSeries& series : m_series) {
        for (const Bar& bar : series.bars) {
            paintBar(painter, series, bar, tops[index], bases[index]);
            ++index;
        }
    }
    painter.restore();
    paintLabels(painter, time, tops, bases);
}

void BarChartNode::paintLabels(QPainter& painter, Millis time, const std::vector<double>& tops,
                               const std::vector<double>& bases) const {
    const double baseOpacity = painter.opacity();
    std::size_t index = 0;
    for (const BarSeries& series : m_series) {
        const double grown = series.growth.at(time);
        // Labels that do not count wait for their bar and fade in as it reaches its height.
        const double opacity =
            series.countLabels ? 1.0 : std::clamp((grown - 0.85) / 0.15, 0.0, 1.0);
        if (series.labels.empty() || opacity <= 0.0) {
            index += series.bars.size();
            continue;
        }
        painter.setFont(series.labelFont);
        painter.setOpacity(baseOpacity * opacity);
        for (std::size_t i = 0; i < series.bars.size(); ++i, ++index) {
            const Label& label = series.labels[i];
            const Bar& bar = series.bars[i];
            const double height = std::fabs(tops[index] - bases[index]);
            const bool inside =
                label.fitsInside &&
                height >= label.size.height() + 2 * kLabelPadding + capHeight(bar.width);
            if (!label.shown || (!inside && series.stacks) || (series.countLabels && grown <= 0))
                continue;
            const bool upward = tops[index] <= bases[index];
            const double direction = (upward == inside) ? 1.0 : -1.0;
            // Clear of the cap: its lower half lies inside the bar, its upper half above it.
            double y = tops[index] + direction * (kLabelPadding + capHeight(bar.width) / 2);
            if (direction < 0)
                y -= label.size.height();
            const QPointF origin(bar.left + (bar.width - label.size.width()) / 2, y);
            painter.setPen(inside ? label.insideColor : label.outsideColor);
            if (series.countLabels && grown < 1.0) {
                const QString text = formatNumber(bar.value * grown, label.decimals);
                const double width = painter.fontMetrics().horizontalAdvance(text);
                painter.drawText(
                    QPointF(bar.left + (bar.width - width) / 2, y + painter.fontMetrics().ascent()),
                    text);
            } else {
                painter.drawStaticText(origin, label.text);
            }
        }
    }
    painter.setOpacity(baseOpacity);
}

Millis BarChartNode::endTime() const {
    Millis end = 0.0;
    for (const BarSeries& series : m_series)
        end = std::max(end, series.growth.endTime());
    return end;
}

} // namespace tivora::engine
