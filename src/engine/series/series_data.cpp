#include "engine/series/series_data.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/series/axis_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tivora::engine {
namespace {

// Where each per-series property comes from. Texts of version 2.0 hold one list per property;
// texts of version 1.2.01 hold one value for every series (a one-item list reads the same way);
// texts of any other version carry neither, and every series takes the defaults.
struct PerSeriesKeys {
    QByteArrayView lineWidth, type, labelSize, showValues, countValues, speed, opacity;
    QByteArrayView color, colorLong, labelColor, labelColorLong;
};

std::optional<PerSeriesKeys> perSeriesKeys(const GraphText& text, bool barGraph) {
    const QByteArray version = text.plainBytes(keys::kVersion).trimmed();
    if (version == keys::kCurrentVersion)
        return PerSeriesKeys{keys::kLineWidths,   keys::kSeriesTypes,    keys::kValueFontSizes,
                             keys::kShowValues,   keys::kAnimateValues,  keys::kAnimateSpeeds,
                             keys::kSeriesAlphas, keys::kSeriesColors,   keys::kSeriesColorsLong,
                             keys::kValueColors,  keys::kValueColorsLong};
    if (version == keys::kLegacyVersion)
        return PerSeriesKeys{keys::kLineWidths,
                             {},
                             keys::kLegacyValueFontSize,
                             keys::kLegacyShowValues,
                             keys::kLegacyAnimateValues,
                             keys::kLegacyAnimateSpeed,
                             barGraph ? keys::kLegacyBarAlpha : keys::kAreaAlpha,
                             barGraph ? keys::kSeriesColors : keys::kLegacyAreaColors,
                             barGraph ? keys::kSeriesColorsLong : keys::kLegacyAreaColorsLong,
                             keys::kValueColors,
                             keys::kValueColorsLong};
    return std::nullopt;
}

// Colours for series whose text names none, distinct on white and on dark backgrounds.
QColor paletteColor(int index) {
    static constexpr std::array<QRgb, 8> kPalette{0x2E6FB7, 0xE07B24, 0x3C9D4E, 0xC8373A,
                                                  0x7E57B0, 0x8C6239, 0xD45C9E, 0x5A5A5A};
    return QColor::fromRgb(kPalette[std::size_t(index) % kPalette.size()]);
}

SeriesType typeFrom(QByteArray text, SeriesType fallback) {
    text = text.trimmed().toLower();
    if (text == "bar" || text == "sbar")
        return SeriesType::Bar;
    if (text == "line")
        return SeriesType::Line;
    if (text == "area")
        return SeriesType::Area;
    return fallback;
}

SeriesType graphSeriesType(const QByteArray& graphType) {
    return typeFrom(graphType, SeriesType::Bar);
}

double numberOr(const QByteArray& text, double fallback, double min, double max) {
    return std::clamp(GraphText::parseNumber(text).value_or(fallback), min, max);
}

void readValues(const GraphText& text, int row, int columns, Series& series) {
    const GraphText::ListViews items =
        text.listViews(keys::seriesValues(row), columns, keys::seriesValuesLong(row));
    series.values.reserve(items.items.size());
    series.decimals.reserve(items.items.size());
    for (std::size_t i = 0; i < items.items.size(); ++i) {
        if (items.repeats(i)) {
            series.values.push_back(series.values.back());
            series.decimals.push_back(series.decimals.back());
            continue;
        }
        const auto value = GraphText::parseNumber(items.items[i]);
        series.values.push_back(value.value_or(std::numeric_limits<double>::quiet_NaN()));
        series.decimals.push_back(value ? std::min(decimalsOf(*value), 4) : 0);
    }
}

void readProperties(const PerSeriesKeys& keys, const GraphText& text, int count,
                    SeriesType graphType, std::vector<Series>& series) {
    const auto list = [&](QByteArrayView key, QByteArrayView longKey = {}) {
        return key.isEmpty() ? std::vector<QByteArray>(std::size_t(count))
                             : text.list(key, count, longKey);
    };
    const auto lineWidths = list(keys.lineWidth), types = list(keys.type),
               labelSizes = list(keys.labelSize), showValues = list(keys.showValues),
               countValues = list(keys.countValues), speeds = list(keys.speed),
               opacities = list(keys.opacity), colors = list(keys.color, keys.colorLong),
               labelColors = list(keys.labelColor, keys.labelColorLong);
    for (std::size_t i = 0; i < series.size(); ++i) {
        Series& s = series[i];
        s.type = typeFrom(types[i], graphType);
        s.lineWidth = numberOr(lineWidths[i], 10, 1, 99);
        s.labelPixels = numberOr(labelSizes[i], 25, 6, 80);
        // Only the editor's "NO" turns value labels off: a list cut short by hand keeps them.
        s.showValues = showValues[i].trimmed().toUpper() != "NO";
        s.countValues = countValues[i].trimmed().toUpper() == "YES";
        s.speed = int(numberOr(speeds[i], 15, 0, 100));
        s.opacity = numberOr(opacities[i], 80, 0, 100);
        if (!colors[i].trimmed().isEmpty())
            s.color = colorFromText(colors[i], s.color);
        if (!labelColors[i].trimmed().isEmpty())
            s.labelColor = colorFromText(labelColors[i], s.labelColor);
    }
}

} // namespace

SeriesData SeriesData::read(const GraphText& text) {
    SeriesData data;
    const QByteArray graphType =
        text.bytes(keys::kGraphType, keys::kGraphTypeLong).trimmed().toLower();
    data.stacked = graphType == "sbar";
    const int seriesCount = int(text.number(keys::kSeriesCount, 0, 0, kMostSeries));
    const int columns = int(text.number(keys::kColumnCount, 0, 0, kMostColumns));
    const GraphText::ListViews labels =
        text.listViews(keys::kColumnLabels, columns, keys::kColumnLabelsLong);
    data.columnLabels.reserve(labels.items.size());
    for (std::size_t i = 0; i < labels.items.size(); ++i) {
        data.columnLabels.push_back(labels.repeats(i) ? data.columnLabels.back()
                                                      : ansiToString(labels.items[i]).trimmed());
    }
    data.gap = text.number(keys::kColumnGap);
    if (data.gap && *data.gap < 0)
        data.gap.reset();

    const auto names = text.list(keys::kSeriesNames, seriesCount, keys::kSeriesNamesLong);
    for (int row = 1; row <= seriesCount; ++row) {
        Series series;
        series.type = graphSeriesType(graphType);
        series.name = ansiToString(names[std::size_t(row - 1)]).trimmed();
        series.color = paletteColor(row - 1);
        series.labelColor = Qt::white;
        readValues(text, row, columns, series);
        data.series.push_back(std::move(series));
    }
    if (const auto keys = perSeriesKeys(text, graphType == "bar" || graphType == "sbar"))
        readProperties(*keys, text, seriesCount, graphSeriesType(graphType), data.series);
    return data;
}

bool SeriesData::needsZero() const {
    return std::ranges::any_of(series, [](const Series& s) { return s.type != SeriesType::Line; });
}

std::pair<double, double> SeriesData::valueRange() const {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    std::vector<double> stackUp(std::size_t(columnCount()), 0.0);
    std::vector<double> stackDown(std::size_t(columnCount()), 0.0);
    for (const Series& s : series) {
        const bool stacks = stacked && s.type == SeriesType::Bar;
        for (std::size_t c = 0; c < s.values.size(); ++c) {
            double value = s.values[c];
            if (std::isnan(value))
                continue;
            if (stacks)
                value = (value >= 0 ? stackUp[c] : stackDown[c]) += value;
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    if (low > high)
        return {0.0, 0.0};
    return {low, high};
}

} // namespace tivora::engine
