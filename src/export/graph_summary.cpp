#include "export/graph_summary.h"

#include "document/graph_keys.h"
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
    return text.encodedValueAlias(keys::kGraphTypeLong, keys::kGraphType).toUpper() == "PIE";
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

ValuesTable seriesTable(const SeriesData& data) {
    ValuesTable table;
    table.header.append(QString());
    for (const QString& label : data.columnLabels)
        table.header.append(label);
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const Series& series = data.series[i];
        QStringList& row = table.rows.emplace_back(QStringList{seriesName(series, i)});
        for (std::size_t c = 0; c < std::size_t(data.columnCount()); ++c)
            row.append(columnValueText(series, c));
    }
    return table;
}

ValuesTable pieTable(const PieData& pie) {
    ValuesTable table{{u"Slice"_s, u"Value"_s}, {}};
    for (const PieSlice& slice : pie.slices)
        table.rows.push_back({slice.label, slice.valueText.trimmed()});
    return table;
}

// The corner cell above the series names heads nothing, so it carries no scope.
QString headHtml(const QStringList& header) {
    QString head;
    for (qsizetype c = 0; c < header.size(); ++c) {
        const bool corner = c == 0 && header[c].isEmpty();
        head += cell(u"th"_s, header[c], corner ? QString() : u" scope=\"col\""_s);
    }
    return head;
}

QString rowHtml(const QStringList& row) {
    QString html;
    for (qsizetype c = 0; c < row.size(); ++c)
        html += c == 0 ? cell(u"th"_s, row[c], u" scope=\"row\""_s) : cell(u"td"_s, row[c]);
    return u"<tr>"_s + html + u"</tr>\n"_s;
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
    summary.title = text.string(keys::kHeader, keys::kHeaderLong).simplified();
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

ValuesTable valuesTable(const VariableText& variables) {
    return isPie(variables) ? pieTable(PieData::read(variables))
                            : seriesTable(SeriesData::read(GraphText(variables)));
}

QString valuesTableHtml(const VariableText& variables) {
    const GraphSummary summary = summarizeGraph(variables);
    const ValuesTable table = valuesTable(variables);
    QString body;
    for (const QStringList& row : table.rows)
        body += rowHtml(row);
    return u"<details class=\"graph-values\">\n<summary>The values of %1</summary>\n<table>\n"_s
               .arg(summary.title.toHtmlEscaped()) +
           u"<thead><tr>"_s + headHtml(table.header) + u"</tr></thead>\n<tbody>\n"_s + body +
           u"</tbody>\n</table>\n</details>\n"_s;
}

} // namespace tivora::exporting
