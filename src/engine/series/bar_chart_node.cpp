#include "engine/series/bar_chart_node.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/coverage_canvas.h"
#include "engine/scene/device_pixels.h"
#include "engine/scene/drawn_items.h"
#include "engine/scene/fingerprint.h"
#include "engine/scene/growth.h"
#include "engine/series/series_data.h"
#include "engine/series/value_label_layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace tivora::engine {
namespace {

// Bars narrower than this are plain rectangles: a cylinder's shading cannot be seen on them, and
// graphs with thousands of bars must stay quick to draw.
constexpr double kNarrowestCylinder = 4.0;
constexpr double kDefaultGapShare = 0.25;
constexpr double kWidestDefaultGap = 40.0;
// Below this many bars a second thread costs more than it saves.
constexpr std::size_t kBarsSummedInHalves = 20000;

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

bool isBar(const Series& series) {
    return series.type == SeriesType::Bar;
}

} // namespace

BarChartNode::BarChartNode(const SeriesData& data, const PlotGeometry& geometry)
    : m_geometry(geometry)
    , m_stacked(data.stacked) {
    const double slot = geometry.slotWidth();
    const double gap = std::clamp(
        data.gap.value_or(std::min(slot * kDefaultGapShare, kWidestDefaultGap)), 0.0, slot * 0.9);
    const int barSeries = int(std::ranges::count_if(data.series, isBar));
    if (barSeries == 0)
        return;
    const int sideBySide = data.stacked ? 1 : barSeries;
    const double width = std::min((slot - gap) / sideBySide, kWidestBar);
    // The bars of a column stand together in the middle of its slot.
    const double groupLeft = (slot - width * sideBySide) / 2;
    // Bars of one column keep a little air between them once there is room for it.
    const double air = width > 8.0 ? width * 0.08 : 0.0;
    m_barWidth = width - air;
    m_series.reserve(std::size_t(barSeries));
    int place = 0;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const Series& series = data.series[i];
        if (!isBar(series))
            continue;
        BarSeries& bars = m_series.emplace_back();
        bars.source = i;
        bars.left = groupLeft + place * width + air / 2;
        bars.growth = growthTrack(series.speed);
        const QColor color = withOpacity(series.color, series.opacity);
        bars.body = cylinderBrush(color);
        bars.cap = color.lighter(118);
        bars.flat = color;
        bars.flatPixel = qPremultiply(color.rgba());
        if (!data.stacked)
            ++place;
    }
    addBars(data);
}

void BarChartNode::addBars(const SeriesData& data) {
    const auto valuesOf = [&data](const BarSeries& bars) -> const std::vector<double>& {
        return data.series[bars.source].values;
    };
    // The values are read series after series, as they lie in memory, and each bar is placed
    // where its column's bars begin: first the bars of each column are counted...
    std::vector<std::size_t> columnStarts(1, 0);
    for (const BarSeries& bars : m_series) {
        const std::vector<double>& values = valuesOf(bars);
        if (columnStarts.size() < values.size() + 1)
            columnStarts.resize(values.size() + 1, 0);
        for (std::size_t column = 0; column < values.size(); ++column)
            columnStarts[column + 1] += std::isnan(values[column]) ? 0 : 1;
    }
    std::partial_sum(columnStarts.begin(), columnStarts.end(), columnStarts.begin());
    // ...then placed, a column's bars in the order of their series.
    m_bars.resize(columnStarts.back());
    for (std::uint32_t s = 0; s < m_series.size(); ++s) {
        BarSeries& bars = m_series[s];
        const std::vector<double>& values = valuesOf(bars);
        bars.bars.reserve(values.size());
        for (std::size_t column = 0; column < values.size(); ++column) {
            if (std::isnan(values[column]))
                continue;
            const std::size_t at = columnStarts[column]++;
            bars.bars.push_back(std::uint32_t(at));
            m_bars[at] = {m_geometry.columnLeft(int(column)) + bars.left, values[column],
                          int(column), s};
        }
    }
}

bool BarChartNode::isFlat() const {
    return m_barWidth < kNarrowestCylinder;
}

std::size_t BarChartNode::barCount() const {
    return m_bars.size();
}

// A column's bars are placed once its stacks are complete, as a bar shows its end only when
// nothing stands on it.
template <typename Visit>
void BarChartNode::forEachBar(Millis time, Bars bars, Visit&& visit) const {
    const AxisScale& scale = m_geometry.scale;
    const double baseline = scale.baseline();
    const auto y = m_geometry.yOfEach();
    std::vector<double> grown;
    grown.reserve(m_series.size());
    for (const BarSeries& series : m_series)
        grown.push_back(series.growth.at(time));
    struct Stacks {
        double up;
        double down;
    };
    // Where a bar runs from and to at time, standing on those before it in a stacked column.
    const auto stand = [&](const Bar& bar, Stacks& stacks) {
        const double share = grown[bar.series];
        if (!m_stacked)
            return std::pair(baseline, baseline + (bar.value - baseline) * share);
        double& stack = bar.value >= 0 ? stacks.up : stacks.down;
        const double base = stack;
        stack = base + bar.value * share;
        return std::pair(base, stack);
    };
    for (auto first = bars.begin(); first != bars.end();) {
        const auto last = std::find_if(first, bars.end(), [column = first->column](const Bar& bar) {
            return bar.column != column;
        });
        Stacks tops{baseline, baseline};
        if (m_stacked) {
            for (auto bar = first; bar != last; ++bar)
                stand(*bar, tops);
        }
        Stacks stacks{baseline, baseline};
        for (auto bar = first; bar != last; ++bar) {
            const auto [base, tip] = stand(*bar, stacks);
            BarSpan span;
            span.tip = y(std::clamp(tip, scale.min, scale.max));
            span.base = y(std::clamp(base, scale.min, scale.max));
            span.clipped = tip > scale.max || tip < scale.min;
            span.baseOuter = base == baseline;
            if (m_stacked)
                span.tipOuter = tip == (bar->value >= 0 ? tops.up : tops.down);
            visit(*bar, span);
        }
        first = last;
    }
}

std::vector<BarChartNode::BarSpan> BarChartNode::spans(Millis time) const {
    std::vector<BarSpan> result;
    result.reserve(m_bars.size());
    forEachBar(time, m_bars,
               [&result](const Bar&, const BarSpan& span) { result.push_back(span); });
    return result;
}

std::vector<ValueMark> BarChartNode::valueMarks() const {
    std::vector<ValueMark> marks;
    const std::vector<BarSpan> settled = spans(endTime());
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        const Bar& bar = m_bars[i];
        const QRectF body = bodyOf(bar, settled[i]).intersected(m_geometry.plot);
        if (body.isEmpty())
            continue;
        QPainterPath area;
        area.addRect(body);
        marks.push_back({area, m_series[bar.series].source, std::size_t(bar.column)});
    }
    return marks;
}

QRectF BarChartNode::bodyOf(const Bar& bar, const BarSpan& span) const {
    const double height = std::fabs(span.tip - span.base);
    // Also skips a bar whose value lies beyond what the axis can place (not a number).
    if (!(height >= 0.5))
        return {};
    return {bar.left, std::min(span.tip, span.base), m_barWidth, height};
}

void BarChartNode::paintBar(QPainter& painter, const BarSeries& series, const Bar& bar,
                            const BarSpan& span) const {
    QRectF body = bodyOf(bar, span);
    if (body.isEmpty())
        return;
    const double height = body.height();
    if (isFlat()) {
        painter.fillRect(body, series.flat);
        return;
    }
    // Seen from slightly above, the lit face of a cylinder is its upper end, whichever way the bar
    // grows; the lower end shows as the curve of its bottom. The ends of the column lie within the
    // bar's own span, so its top stands at the value and its bottom on the baseline; a bar cut at
    // the plot's edge shows its cut there.
    const double cap = std::min(capHeight(m_barWidth), height);
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
        path.addEllipse(QRectF(bar.left, body.bottom() - cap / 2, m_barWidth, cap));
    painter.setPen(Qt::NoPen);
    painter.setBrush(series.body);
    painter.drawPath(path);
    if (!topCut) {
        painter.setBrush(series.cap);
        painter.drawEllipse(QRectF(bar.left, body.top() - cap / 2, m_barWidth, cap));
    }
}

void BarChartNode::paint(QPainter& painter, Millis time) const {
    painter.save();
    painter.setClipRect(m_geometry.plot, Qt::IntersectClip);
    if (isFlat() && paintsUprightPixels(painter)) {
        paintFlatBars(painter, time);
    } else {
        // Series after series, so shapes of one look follow each other for devices that group
        // them (SVG).
        const std::vector<BarSpan> all = spans(time);
        for (const BarSeries& series : m_series) {
            for (const std::uint32_t bar : series.bars)
                paintBar(painter, series, m_bars[bar], all[bar]);
        }
    }
    painter.restore();
}

BarChartNode::Bars BarChartNode::barsOver(QRect area, const QTransform& toPixels) const {
    // A painter scaled to nothing across places no pixel edge on the stage: every bar may reach.
    if (!std::isfinite(1.0 / toPixels.m11()))
        return m_bars;
    // The columns whose slots reach between the area's left and right pixel edges, held within
    // the columns there are, so a vanishing scale cannot overflow (a plot of no width has none).
    const auto columnAt = [&](double pixelX) {
        const double x = (pixelX - toPixels.dx()) / toPixels.m11();
        const double column = std::floor((x - m_geometry.plot.left()) / m_geometry.slotWidth());
        return std::isnan(column) ? -1 : int(std::clamp(column, -1.0, double(m_geometry.columns)));
    };
    const int leftColumn = columnAt(area.left());
    const int rightColumn = columnAt(area.right() + 1.0);
    const int first = std::min(leftColumn, rightColumn);
    const int last = std::max(leftColumn, rightColumn);
    const auto begin = std::ranges::lower_bound(m_bars, first, {}, &Bar::column);
    return {begin, std::ranges::lower_bound(begin, m_bars.end(), last + 1, {}, &Bar::column)};
}

QImage BarChartNode::summedBars(Millis time, const QTransform& toPixels, QRect area) const {
    // The painter only moves and scales (the caller checked), so a rectangle maps corner by
    // corner, without QTransform's general case for every bar.
    const auto mapped = [&toPixels](const QRectF& rect) {
        return QRectF(QPointF(rect.left() * toPixels.m11() + toPixels.dx(),
                              rect.top() * toPixels.m22() + toPixels.dy()),
                      QPointF(rect.right() * toPixels.m11() + toPixels.dx(),
                              rect.bottom() * toPixels.m22() + toPixels.dy()));
    };
    CoverageCanvas canvas(area);
    forEachBar(time, barsOver(area, toPixels), [&](const Bar& bar, const BarSpan& span) {
        if (const QRectF body = bodyOf(bar, span); !body.isEmpty())
            canvas.fill(mapped(body), m_series[bar.series].flatPixel);
    });
    return canvas.finish();
}

void BarChartNode::paintFlatBars(QPainter& painter, Millis time) const {
    const QTransform toPixels = painter.deviceTransform();
    drawInHalves(painter, toPixels.mapRect(m_geometry.plot).toAlignedRect(),
                 m_bars.size() >= kBarsSummedInHalves,
                 [&](QRect area) { return summedBars(time, toPixels, area); });
}

void BarChartNode::addValueLabels(const SeriesData& data, const QColor& plotBackground,
                                  ValueLabelLayout& labels) const {
    const std::vector<BarSpan> all = spans(kForever);
    // Every bar keeps other series' labels off, whether or not its own series shows values.
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        const Bar& bar = m_bars[index];
        const BarSpan& span = all[index];
        const QRectF body = bodyOf(bar, span);
        if (!body.isEmpty())
            labels.addBar(body, span.tip <= span.base, m_series[bar.series].source);
    }
    const double room = m_stacked ? m_geometry.slotWidth() * 0.95 : m_barWidth * 1.05;
    // A stacked segment's end rises from the baseline with the segments under it, not from
    // where it stands on them: its label rides from there too, or it would wait over empty room.
    const AxisScale& scale = m_geometry.scale;
    const double baseY = m_geometry.y(std::clamp(scale.baseline(), scale.min, scale.max));
    if (!ValueLabelLayout::canFit(room))
        return;
    for (const BarSeries& bars : m_series) {
        const Series& source = data.series[bars.source];
        if (!source.showValues || bars.bars.empty())
            continue;
        const QColor seen = seenColor(source, plotBackground);
        // The label lies across the cylinder's shading, from its lit stripe to its dark side.
        const std::initializer_list<QColor> shades{seen, seen.lighter(135), seen.darker(140)};
        const QColor inside = readableOnAll(source.labelColor, shades, kSmallTextContrast);
        const bool insidePill = std::ranges::any_of(shades, [&inside](const QColor& shade) {
            return contrastRatio(inside, shade) < kSmallTextContrast;
        });
        const QColor outside = readableOn(source.labelColor, plotBackground, kSmallTextContrast);
        for (const std::uint32_t index : bars.bars) {
            const Bar& bar = m_bars[index];
            const BarSpan& span = all[index];
            ValueLabelSource label;
            label.value = bar.value;
            label.decimals = source.decimals[std::size_t(bar.column)];
            label.tip = {bar.left + m_barWidth / 2, span.tip};
            label.rootY = m_stacked ? baseY : span.base;
            label.room = room;
            label.insideDepth = std::fabs(span.tip - span.base);
            label.insideWidth = m_barWidth;
            label.insideClearance = span.clipped ? 0.0 : capHeight(m_barWidth);
            label.insideOnly = m_stacked;
            label.insideColor = inside;
            label.outsideColor = outside;
            label.insideHalo = insidePill ? backingFor(inside, seen, kSmallTextContrast) : seen;
            label.insidePill = insidePill;
            label.outsideHalo = plotBackground;
            label.pixels = ValueLabelLayout::askedPixels(source.labelPixels);
            label.track = bars.source;
            label.column = bar.column;
            label.counts = source.countValues;
            labels.add(label);
        }
    }
}

void BarChartNode::inspect(DrawnItems& items, Millis time) const {
    const std::vector<BarSpan> all = spans(time);
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        const Bar& bar = m_bars[index];
        const BarSeries& series = m_series[bar.series];
        const QRectF body = bodyOf(bar, all[index]).intersected(m_geometry.plot);
        items.addShape({ItemKind::Bar, int(series.source) + 1, bar.column + 1, {}}, body,
                       series.flat);
    }
}

std::optional<std::size_t> BarChartNode::settledFingerprint() const {
    // Settled, every bar stands at its value: the growth tracks no longer matter.
    Fingerprint fingerprint;
    fingerprint.add(m_geometry.plot)
        .add(m_geometry.scale.min)
        .add(m_geometry.scale.max)
        .add(double(m_geometry.columns))
        .add(m_barWidth)
        .add(double(m_stacked));
    for (const BarSeries& series : m_series)
        fingerprint.add(series.flat).add(series.left);
    fingerprint.addAll(std::span<const Bar>(m_bars));
    return fingerprint.value();
}

Millis BarChartNode::endTime() const {
    Millis end = 0.0;
    for (const BarSeries& series : m_series)
        end = std::max(end, series.growth.endTime());
    return end;
}

} // namespace tivora::engine
