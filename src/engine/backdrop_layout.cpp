#include "engine/graph_layout.h"

#include "document/variable_text.h"

namespace tivora::engine {

// Not laid out yet: being built.
void layoutBackdrop(const VariableText&, const GraphFrame&, const QDir&, Scene&)
{
}

} // namespace tivora::engine
