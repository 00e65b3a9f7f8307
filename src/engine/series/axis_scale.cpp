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
    for (const double factor : std::array{1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (factor * power >= rough * 0.999)
            return factor * power;
    }
    return 10.0 * power;
}

int decimalsOf(double value) {
    value = std::fabs(value);
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        const double scaled = value * std::pow(10.0, decimals);
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
