#pragma once

#include <QString>
#include <optional>

namespace tivora::excel {

// Loads a linked graph's data afresh from its workbook, as the link's "Load Now" does, and saves
// the graph in place. Counts that differ from the data's are fitted to it (no one is there to ask).
// Gives the reason when it could not; the graph file is then left exactly as it was.
[[nodiscard]] std::optional<QString> refreshLinkedGraph(const QString& graphFile);

} // namespace tivora::excel
