#include "document/variable_text.h"
#include "engine/graph_layout.h"

namespace tivora::engine {

// Not laid out yet: being built.
void layoutBackdrop(const VariableText&, const GraphFrame&, const QDir&, Scene&) {}

} // namespace tivora::engine
