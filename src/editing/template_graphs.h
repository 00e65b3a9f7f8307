#pragma once

#include "document/graph_document.h"

#include <QString>
#include <optional>
#include <vector>

namespace tivora {

// A graph that ships in the Data folder for new graphs to start from.
struct TemplateGraph {
    // The file's name in the Data folder ("blank.dat").
    QString fileName;
    GraphDocument document;
};

// The twelve templates of the new graph dialog: four empty graphs of the base types, eight
// finished samples. They are written into the Data folder by the templates tool, so the files
// there are exactly what the graph writer makes of these.
std::vector<TemplateGraph> templateGraphs();

// Writes every template into folder with the graph writer; gives the reason when one could not
// be written.
[[nodiscard]] std::optional<QString> writeTemplateGraphs(const QString& folder);

} // namespace tivora
