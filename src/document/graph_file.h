#pragma once

#include <QString>
#include <optional>

namespace tivora {

// Reads the graph file at inPath and writes it to outPath in the current format (older and
// long-key files come out as version 2.0). Gives the reason when it could not; outPath is then
// left as it was.
[[nodiscard]] std::optional<QString> resaveGraphFile(const QString& inPath, const QString& outPath);

} // namespace tivora
