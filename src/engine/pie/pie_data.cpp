#include "engine/pie/pie_data.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "document/variable_text.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"
#include "engine/series/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

// Slice colours for slices whose colour text cannot be read: a calm business palette.
QColor paletteColor(std::size_t index) {
    static const QRgb palette[] = {0x2E6FD8, 0xF28C28, 0x3BAA5C, 0xD8423A, 0x8B5CC7,
                                   0x1FA7B8, 0xE5B92B, 0x8C6D4F, 0xE264A8, 0x6B7A8F};
    return QColor::fromRgb(palette[index % std::size(palette)]);
}

// The largest remainder method: floor every share, then hand the points still missing to the
// slices that lost the most to rounding, so the shown percentages always add up to 100.
std::vector<int> wholePercentages(const std::vector<double>& shares) {
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    std::vector<int> result(shares.size(), 0);
    if (total <= 0)
        return result;
    std::vector<std::pair<double, std::size_t>> remainders;
    int assigned = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const double exact = shares[i] * 100.0 / total;
        result[i] = int(std::floor(exact));
        assigned += result[i];
        remainders.emplace_back(exact - result[i], i);
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; assigned < 100 && i < remainders.size(); ++i, ++assigned)
        ++result[remainders[i].second];
    return result;
}

double numberOr(const QByteArray& item, double fallback) {
    return GraphText::parseNumber(item).value_or(fallback);
}

// A value as entered, its thousands grouped as the axis numbers are and its decimals kept;
// a text that is no number stays as it is.
QString groupedValue(const QString& entered) {
    const QByteArray bytes = entered.toLatin1();
    const auto number = GraphText::parseNumber(bytes);
    if (!number)
        return entered;
    const qsizetype point = std::max(entered.lastIndexOf(u'.'), entered.lastIndexOf(u','));
    const int decimals = point < 0 ? 0 : int(std::min<qsizetype>(entered.size() - point - 1, 6));
    return formatNumber(*number, decimals);
}

QColor colorOr(const QByteArray& item, const QColor& fallback) {
    return item.trimmed().isEmpty() ? fallback : colorFromText(item, fallback);
}

} // namespace

PieData PieData::read(const VariableText& variables) {
    const GraphText text(variables);
    PieData pie;
    const int count = int(text.number(keys::kSliceCount, 0, 0, 999));
    const auto labels = text.list(keys::kSliceLabels, count);
    const auto numbers = text.list(keys::kSliceValues, count);
    const auto offsets = text.list(keys::kSliceOffsets, count);
    const auto colors = text.list(keys::kSliceColors, count);
    const auto labelColors = text.list(keys::kSliceLabelColors, count);
    const auto valueColors = text.list(keys::kSliceValueColors, count);
    const auto shades = text.list(keys::kSliceShades, count);
    const auto alphas = text.list(keys::kSliceAlphas, count);
    const auto labelX = text.list(keys::kSliceLabelMoveX, count);
    const auto labelY = text.list(keys::kSliceLabelMoveY, count);
    const auto valueX = text.list(keys::kSliceValueMoveX, count);
    const auto valueY = text.list(keys::kSliceValueMoveY, count);
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        PieSlice slice;
        slice.label = ansiToString(labels[i]).trimmed();
        slice.valueText = ansiToString(numbers[i]).trimmed();
        slice.value = std::max(numberOr(numbers[i], 0), 0.0);
        slice.offset = std::clamp(numberOr(offsets[i], 0), 0.0, 200.0);
        slice.color = colorOr(colors[i], paletteColor(i));
        slice.labelColor = colorOr(labelColors[i], Qt::black);
        slice.valueColor = colorOr(valueColors[i], Qt::white);
        slice.shade = int(std::clamp(numberOr(shades[i], 0), 0.0, 100.0));
        slice.alpha = int(std::clamp(numberOr(alphas[i], 100), 0.0, 100.0));
        slice.labelMove = {numberOr(labelX[i], 0), numberOr(labelY[i], 0)};
        slice.valueMove = {numberOr(valueX[i], 0), numberOr(valueY[i], 0)};
        pie.slices.push_back(slice);
    }
    pie.show = PieValues(int(text.number(keys::kPieValuesShown, 0, 0, 2)));
    pie.valueFontSize = int(text.number(keys::kPieValueFont, 12, 4, 80));
    pie.labelFontSize = int(text.number(keys::kPieLabelFont, 12, 4, 80));
    const QByteArray animate = text.bytes(keys::kPieAnimate, keys::kPieAnimateLong).trimmed();
    pie.animate = animate.compare("no", Qt::CaseInsensitive) != 0;
    pie.speed = int(text.number(keys::kPieSpeed, 5, 5, 100));
    pie.imagePath = text.string(keys::kPieImage).trimmed();
    pie.imageAlpha = int(text.number(keys::kPieImageAlpha, 50, 0, 100));
    pie.shadow = text.bytes(keys::kPieShadow).trimmed() != "0";
    pie.shadowAlpha = int(text.number(keys::kPieShadowAlpha, 50, 0, 100));
    pie.shadowOffset = {text.number(keys::kPieShadowX, 50, 0, 300),
                        text.number(keys::kPieShadowY, 50, 0, 300)};
    return pie;
}

double PieData::total() const {
    return std::accumulate(slices.begin(), slices.end(), 0.0,
                           [](double sum, const PieSlice& slice) { return sum + slice.value; });
}

std::vector<QString> PieData::valueTexts() const {
    std::vector<QString> texts;
    if (show == PieValues::None)
        return std::vector<QString>(slices.size());
    if (show == PieValues::Values) {
        for (const PieSlice& slice : slices)
            texts.push_back(groupedValue(slice.valueText));
        return texts;
    }
    // A pie of nothing has no shares to show, only the negative values entered.
    const bool empty = !(total() > 0);
    std::vector<double> shares;
    for (const PieSlice& slice : slices)
        shares.push_back(slice.value);
    const std::vector<int> percentages = wholePercentages(shares);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        // A negative value has no share of the pie; "0%" would hide what was entered, so its
        // value is shown instead. A sliver that rounds to nothing is still there.
        if (GraphText::parseNumber(slices[i].valueText.toLatin1()).value_or(0) < 0)
            texts.push_back(groupedValue(slices[i].valueText));
        else if (empty)
            texts.push_back(QString());
        else
            texts.push_back(percentages[i] == 0 && slices[i].value > 0
                                ? u"<1%"_s
                                : QString::number(percentages[i]) + u'%');
    }
    return texts;
}

} // namespace tivora::engine
