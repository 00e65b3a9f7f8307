#include "engine/graph_layout.h"

#include "document/variable_text.h"

namespace tivora::engine {

// Not laid out yet: being built.
void layoutNotes(const VariableText&, Scene&)
{
}

} // namespace tivora::engine
