#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <vector>

namespace tivora {
class VariableText;
}

namespace tivora::engine {

// One slice as the graph text describes it.
struct PieSlice {
    QString label;
    QString valueText; // the value as entered
    double value = 0;  // negative and unreadable values count as 0: they draw no slice
    double offset = 0; // pulled out from the centre, stage units
    QColor color;
    QColor valueColor;
    QColor labelColor;
    int shade = 0;   // 0 none .. 100 dark
    int alpha = 100; // 0 transparent .. 100 opaque
    QPointF labelMove;
    QPointF valueMove;
};

enum class PieValues { Percentages = 0, Values = 1, None = 2 };

// Everything a pie graph text holds besides the frame.
struct PieData {
    std::vector<PieSlice> slices;
    PieValues show = PieValues::Percentages;
    int valueFontSize = 12; // values on the slices
    int labelFontSize = 12; // labels beside the slices
    bool animate = true;
    int speed = 5; // 5 slow .. 100 fast
    QString imagePath;
    int imageAlpha = 50;
    bool shadow = true;
    int shadowAlpha = 50;
    QPointF shadowOffset{50, 50};

    static PieData read(const VariableText& text);
    // The text shown on each slice: whole percentages that add up to exactly 100 (largest
    // remainder) or, for a negative slice, its value; the values as entered; or nothing.
    std::vector<QString> valueTexts() const;
    double total() const;
};

} // namespace tivora::engine
