#pragma once

#include "document/variable_text.h"

#include <QByteArray>
#include <QString>
#include <variant>

// The parameters an ASP page passes to its graph movie: the graph's header, footer and values,
// appended to the movie's address so that a server page can put in values of its own.
namespace tivora::publish {

// The parameter text, or why it could not be built (a count that is not a number).
using AspParameters = std::variant<QByteArray, QString>;

// Bar, stacked bar, line and area graphs: header, footer, then for each series with values one
// parameter per point, lettered by series ("A1", "B1", ...), with the x label of each point
// ("XVal1", ...) after the first series' values.
AspParameters barAspParameters(const VariableText& graph);
// Pie graphs: header, footer, then the value ("S1", ...) and label ("L1", ...) of every slice.
AspParameters pieAspParameters(const VariableText& graph);

} // namespace tivora::publish
