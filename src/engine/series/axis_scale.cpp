#include "engine/series/axis_scale.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>

namespace tivora::engine {
namespace {

// More intervals than this cannot be told apart on the stage; a finer fixed step is replaced.
constexpr double kMostIntervals = 100.0;
constexpr int kTargetIntervals = 6;
constexpr int kMostDecimals = 6;
// A value label stands above (or below) its bar or point: an automatic end keeps this share of
// the axis clear beyond the data so that the outermost label stays inside the plot.
constexpr double kLabelHeadroom = 0.08;

double roundDown(double value, double step) {
    return std::floor(value / step + 1e-9) * step;
}

double roundUp(double value, double step) {
    return std::ceil(value / step - 1e-9) * step;
}

} // namespace

double niceStep(double range, int targetCount) {
    if (!(range > 0) || !std::isfinite(range))
        return 1.0;
    const double rough = range / std::max(targetCount, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    // Steps of 2.5 give numbers such as 1,007.5 that no reader counts in.
    for (const double factor : std::array{1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough * 0.999)
            return factor * power;
    }
    return 10.0 * power;
}

int decimalsOf(double value) {
    // Every value of a large graph comes through here: powers of ten from a table, not pow().
    static constexpr std::array<double, kMostDecimals> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5};
    value = std::fabs(value);
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        const double scaled = value * kPowersOfTen[std::size_t(decimals)];
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return decimals;
    }
    return kMostDecimals;
}

QString formatNumber(double value, int decimals) {
    const double factor = std::pow(10.0, decimals);
    double rounded = std::round(value * factor) / factor;
    if (rounded == 0.0)
        rounded = 0.0; // drops the sign of -0
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale.toString(rounded, 'f', decimals);
}

namespace {

struct NumberUnit {
    double size;
    QChar suffix;
};

// The largest unit not above magnitude; none for magnitudes under a thousand.
std::optional<NumberUnit> unitFor(double magnitude) {
    static constexpr std::array<std::pair<double, char>, 4> kUnits{
        {{1e12, 'T'}, {1e9, 'B'}, {1e6, 'M'}, {1e3, 'K'}}};
    for (const auto& [size, suffix] : kUnits) {
        if (magnitude >= size)
            return NumberUnit{size, QChar::fromLatin1(suffix)};
    }
    return std::nullopt;
}

QString inUnit(double value, const NumberUnit& unit, int decimals) {
    QString text = formatNumber(value / unit.size, decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"0" ? text : text + unit.suffix;
}

} // namespace

QString formatShortNumber(double value, int decimals) {
    // 999,950 would round up to "1,000K": such values take the next unit.
    const double magnitude = std::fabs(value) * 1.0005;
    const auto unit = unitFor(magnitude);
    if (!unit)
        return formatNumber(value, decimals);
    return inUnit(value, *unit, 1);
}

std::optional<std::vector<QString>> shortAxisLabels(const std::vector<double>& ticks, double step) {
    double largest = 0.0;
    for (const double tick : ticks)
        largest = std::max(largest, std::fabs(tick));
    const auto unit = unitFor(largest);
    if (!unit)
        return std::nullopt;
    // Every tick must stay exact: a step of 250K in millions needs two decimals, 125K three.
    const int decimals = decimalsOf(step / unit->size);
    if (decimals > 2)
        return std::nullopt;
    std::vector<QString> labels;
    labels.reserve(ticks.size());
    for (const double tick : ticks)
        labels.push_back(inUnit(tick, *unit, decimals));
    return labels;
}

AxisScale AxisScale::make(std::optional<double> fixedMin, std::optional<double> fixedMax,
                          std::optional<double> fixedStep, double dataMin, double dataMax,
                          bool includeZero) {
    double low = fixedMin.value_or(includeZero ? std::min(dataMin, 0.0) : dataMin);
    double high = fixedMax.value_or(includeZero ? std::max(dataMax, 0.0) : dataMax);
    if (high < low)
        std::swap(low, high);
    if (high == low)
        high = low + (fixedStep && *fixedStep > 0 ? *fixedStep : 1.0);
    AxisScale scale;
    const bool stepUsable =
        fixedStep && *fixedStep > 0 && (high - low) / *fixedStep <= kMostIntervals;
    scale.step = stepUsable ? *fixedStep : niceStep(high - low, kTargetIntervals);
    scale.min = fixedMin ? low : roundDown(low, scale.step);
    scale.max = fixedMax ? high : roundUp(high, scale.step);
    if (scale.max <= scale.min)
        scale.max = scale.min + scale.step;
    const double headroom = kLabelHeadroom * (scale.max - scale.min);
    if (!fixedMax && dataMax > 0 && scale.max - dataMax < headroom)
        scale.max += scale.step;
    if (!fixedMin && dataMin < 0 && dataMin - scale.min < headroom)
        scale.min -= scale.step;
    scale.decimals = std::max(decimalsOf(scale.step), decimalsOf(scale.min));
    return scale;
}

std::vector<double> AxisScale::ticks() const {
    std::vector<double> values;
    const double tolerance = step * 1e-6;
    for (int i = 0;; ++i) {
        const double value = min + i * step;
        if (value > max + tolerance || i > int(kMostIntervals) + 1)
            break;
        values.push_back(value);
    }
    return values;
}

QString AxisScale::label(double value) const {
    return formatNumber(value, decimals);
}

double AxisScale::baseline() const {
    return std::clamp(0.0, min, max);
}

} // namespace tivora::engine
