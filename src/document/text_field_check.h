#pragma once

#include "document/graph_document.h"

#include <QString>
#include <optional>

namespace tivora {

// Text that the graph file carries encoded must not hold "%" (it would turn into the "&" that ends
// a value), control characters other than line breaks (tab and form feed would turn into line
// breaks), or characters Windows-1252 has no place for. Gives the message to show when text,
// typed into the field named fieldName, cannot be saved.
[[nodiscard]] std::optional<QString> checkEncodedText(const QString& fieldName,
                                                      const QString& text);

// The first text field or grid cell of the graph that cannot be saved, as a message naming it.
[[nodiscard]] std::optional<QString> checkDocumentText(const GraphDocument& document);

} // namespace tivora
