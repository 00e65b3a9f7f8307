#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace tivora::engine {

class GraphText;

enum class SeriesType { Bar, Line, Area };

// One series of a bar, line or area graph as the graph text describes it.
struct Series {
    SeriesType type = SeriesType::Bar;
    QString name;
    QColor color;
    double opacity = 80.0; // per cent
    double lineWidth =
        10.0; // as the editor states it; see line_series_node.cpp for the drawn width
    bool showValues = true;
    bool countValues = false; // value labels count up while the series grows
    double labelPixels = 25.0;
    QColor labelColor;
    int speed = 15;             // growth speed; 0 draws the series at once
    std::vector<double> values; // one per column; NaN where a cell holds no number
    std::vector<int> decimals;  // decimals each value was written with
};

// Everything a series graph draws from: the series, the column labels and the graph's options.
struct SeriesData {
    bool stacked = false;
    std::vector<Series> series;
    std::vector<QString> columnLabels;
    std::optional<double> gap; // between columns, in stage units

    int columnCount() const { return int(columnLabels.size()); }
    // The lowest and highest value the graph must show (stacked columns as totals); 0 and 0 for a
    // graph with no numbers.
    std::pair<double, double> valueRange() const;
    // Whether the value axis must hold zero: bars and areas stand on it, lines alone need not.
    bool needsZero() const;

    static SeriesData read(const GraphText& text);
};

// At most this many series and columns are read; the editor allows no more.
inline constexpr int kMostSeries = 99;
inline constexpr int kMostColumns = 999;

} // namespace tivora::engine
