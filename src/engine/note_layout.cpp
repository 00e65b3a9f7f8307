#include "document/variable_text.h"
#include "engine/graph_layout.h"

namespace tivora::engine {

// Not laid out yet: being built.
void layoutNotes(const VariableText&, Scene&) {}

} // namespace tivora::engine
