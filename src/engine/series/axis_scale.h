#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace tivora::engine {

// The value axis of a series graph: its range, its step and the numbers written along it. Any of
// minimum, maximum and step may be fixed by the graph; the others are chosen as round numbers that
// contain the data.
struct AxisScale {
    double min = 0.0;
    double max = 1.0;
    double step = 1.0;
    int decimals = 0;

    // A range is derived from data that runs from dataMin to dataMax (both finite); includeZero
    // keeps zero inside an automatic range. An automatic end leaves room beyond the data for the
    // labels of the outermost values.
    static AxisScale make(std::optional<double> fixedMin, std::optional<double> fixedMax,
                          std::optional<double> fixedStep, double dataMin, double dataMax,
                          bool includeZero = true);

    std::vector<double> ticks() const;
    QString label(double value) const;
    // Where value lies between min (0) and max (1).
    double fraction(double value) const { return (value - min) / (max - min); }
    // The value bars grow from: zero when the axis holds it, else the nearer end.
    double baseline() const;
};

// The round step of about range / targetCount: 1, 2 or 5 times a power of ten.
double niceStep(double range, int targetCount);

// The fewest decimals (at most 6) that write value exactly enough.
int decimalsOf(double value);

// A number as graphs show it: fixed decimals, thousands grouped, no "-0".
QString formatNumber(double value, int decimals);

// The same number in a short form for tight places: "950", "12.5K", "1.2M", "4B". Values under a
// thousand keep formatNumber's form; larger ones keep at most one decimal of their unit.
QString formatShortNumber(double value, int decimals);

// The numbers of an axis in a short form with one unit for every tick ("0", "250K", "500K"),
// or nothing when the ticks are under a thousand or a short form would round them.
std::optional<std::vector<QString>> shortAxisLabels(const std::vector<double>& ticks, double step);

} // namespace tivora::engine
