#pragma once

#include <QString>

namespace tivora {
class VariableText;
}

namespace tivora::exporting {

// What a graph says in words, for readers that cannot see it: its header as a title, one
// sentence on its type, series or slices and range.
struct GraphSummary {
    QString title;
    QString description;
};

GraphSummary summarizeGraph(const VariableText& text);

// The graph's values as an HTML table inside a <details> element: a header row of column labels
// and one row per series, or a label and a value per slice of a pie. Every text is escaped.
QString valuesTableHtml(const VariableText& text);

} // namespace tivora::exporting
