#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tivora {
class VariableText;
}

namespace tivora::exporting {

// What a graph says in words, for readers that cannot see it: its header as a title, one
// sentence on its type, series or slices and range.
struct GraphSummary {
    QString title;
    QString description;
    // What a reader pointing at one value reads: "North, Q3: 61" by series and column, or
    // "East: 25" for each slice of a pie (as series 0). Empty where a cell holds no number.
    std::vector<std::vector<QString>> valueTitles;

    QString valueTitle(std::size_t series, std::size_t item) const {
        return series < valueTitles.size() && item < valueTitles[series].size()
                   ? valueTitles[series][item]
                   : QString();
    }
};

GraphSummary summarizeGraph(const VariableText& text);

// The graph's values as rows of cells: a header row of column labels above one row per series
// (its name first), or a slice's label and value per row of a pie.
struct ValuesTable {
    QStringList header;
    std::vector<QStringList> rows;
};

ValuesTable valuesTable(const VariableText& text);

// The graph's values as an HTML table inside a <details> element: a header row of column labels
// and one row per series, or a label and a value per slice of a pie. Every text is escaped.
QString valuesTableHtml(const VariableText& text);

} // namespace tivora::exporting
