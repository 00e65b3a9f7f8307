#include "export/graph_summary.h"

#include "document/variable_text.h"
#include "engine/layout/graph_text.h"
#include "engine/pie/pie_data.h"
#include "engine/series/series_data.h"

#include <QStringList>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {
namespace {

bool isPie(const VariableText& text) {
    return text.encodedValueAlias("&graphType", "&gt_").toUpper() == "PIE";
}

QString typeName(const SeriesData& data) {
    if (data.stacked)
        return u"stacked bar graph"_s;
    const auto sameType = [&data](SeriesType type) {
        return std::ranges::all_of(data.series, [type](const Series& s) { return s.type == type; });
    };
    if (sameType(SeriesType::Bar))
        return u"bar graph"_s;
    if (sameType(SeriesType::Line))
        return u"line graph"_s;
    if (sameType(SeriesType::Area))
        return u"area graph"_s;
    return u"graph of mixed bars, lines and areas"_s;
}

QString seriesName(const Series& series, std::size_t index) {
    const QString name = series.name.trimmed();
    return name.isEmpty() ? u"Series %1"_s.arg(index + 1) : name;
}

QString valueText(double value, int decimals) {
    return std::isnan(value) ? QString() : QString::number(value, 'f', std::clamp(decimals, 0, 9));
}

// The series' value in column c as written, empty where the cell holds no number.
QString columnValueText(const Series& series, std::size_t c) {
    const double value = c < series.values.size() ? series.values[c] : NAN;
    const int decimals = c < series.decimals.size() ? series.decimals[c] : 0;
    return valueText(value, decimals);
}

QString listed(const QStringList& names) {
    constexpr qsizetype kMostNamed = 6;
    QString list = names.mid(0, kMostNamed).join(", "_L1);
    if (names.size() > kMostNamed)
        list += u" and %1 more"_s.arg(names.size() - kMostNamed);
    return list;
}

QString seriesDescription(const SeriesData& data) {
    QStringList names;
    for (std::size_t i = 0; i < data.series.size(); ++i)
        names.append(seriesName(data.series[i], i));
    const auto [low, high] = data.valueRange();
    return u"A %1 of %2 series (%3) over %4 columns, with values from %5 to %6."_s.arg(
        typeName(data), QString::number(data.series.size()), listed(names),
        QString::number(data.columnCount()), QString::number(low), QString::number(high));
}

QString pieDescription(const PieData& pie) {
    QStringList names;
    for (const PieSlice& slice : pie.slices)
        names.append(u"%1 %2"_s.arg(slice.label.trimmed(), slice.valueText.trimmed()).trimmed());
    return u"A pie graph of %1 slices (%2), totalling %3."_s.arg(
        QString::number(pie.slices.size()), listed(names), QString::number(pie.total()));
}

QString cell(const QString& tag, const QString& content, const QString& attributes = {}) {
    return u"<%1%2>%3</%1>"_s.arg(tag, attributes, content.toHtmlEscaped());
}

QString seriesTable(const SeriesData& data) {
    QString head = cell(u"th"_s, QString());
    for (const QString& label : data.columnLabels)
        head += cell(u"th"_s, label, u" scope=\"col\""_s);
    QString body;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const Series& series = data.series[i];
        QString row = cell(u"th"_s, seriesName(series, i), u" scope=\"row\""_s);
        for (std::size_t c = 0; c < std::size_t(data.columnCount()); ++c) {
            row += cell(u"td"_s, columnValueText(series, c));
        }
        body += u"<tr>"_s + row + u"</tr>\n"_s;
    }
    return u"<thead><tr>"_s + head + u"</tr></thead>\n<tbody>\n"_s + body + u"</tbody>"_s;
}

QString pieTable(const PieData& pie) {
    QString body;
    for (const PieSlice& slice : pie.slices) {
        body += u"<tr>"_s + cell(u"th"_s, slice.label, u" scope=\"row\""_s) +
                cell(u"td"_s, slice.valueText.trimmed()) + u"</tr>\n"_s;
    }
    return u"<thead><tr><th scope=\"col\">Slice</th><th scope=\"col\">Value</th></tr></thead>\n"
           u"<tbody>\n"_s +
           body + u"</tbody>"_s;
}

std::vector<std::vector<QString>> seriesValueTitles(const SeriesData& data) {
    std::vector<std::vector<QString>> titles;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const Series& series = data.series[i];
        std::vector<QString>& row = titles.emplace_back();
        for (std::size_t c = 0; c < std::size_t(data.columnCount()); ++c) {
            const QString value = columnValueText(series, c);
            const QString label = data.columnLabels[c].trimmed();
            row.push_back(value.isEmpty() ? QString()
                                          : seriesName(series, i) +
                                                (label.isEmpty() ? QString() : u", "_s + label) +
                                                u": "_s + value);
        }
    }
    return titles;
}

std::vector<QString> sliceValueTitles(const PieData& pie) {
    std::vector<QString> titles;
    for (std::size_t i = 0; i < pie.slices.size(); ++i) {
        const PieSlice& slice = pie.slices[i];
        const QString label = slice.label.trimmed();
        titles.push_back((label.isEmpty() ? u"Slice %1"_s.arg(i + 1) : label) + u": "_s +
                         slice.valueText.trimmed());
    }
    return titles;
}

} // namespace

GraphSummary summarizeGraph(const VariableText& variables) {
    const GraphText text(variables);
    GraphSummary summary;
    summary.title = text.string("&hd_", "&header").simplified();
    if (summary.title.isEmpty())
        summary.title = u"Graph"_s;
    if (isPie(variables)) {
        const PieData pie = PieData::read(variables);
        summary.description = pieDescription(pie);
        summary.valueTitles = {sliceValueTitles(pie)};
    } else {
        const SeriesData data = SeriesData::read(text);
        summary.description = seriesDescription(data);
        summary.valueTitles = seriesValueTitles(data);
    }
    return summary;
}

QString valuesTableHtml(const VariableText& variables) {
    const GraphText text(variables);
    const GraphSummary summary = summarizeGraph(variables);
    const QString rows =
        isPie(variables) ? pieTable(PieData::read(variables)) : seriesTable(SeriesData::read(text));
    return u"<details class=\"graph-values\">\n<summary>The values of %1</summary>\n<table>\n"_s
               .arg(summary.title.toHtmlEscaped()) +
           rows + u"\n</table>\n</details>\n"_s;
}

} // namespace tivora::exporting
