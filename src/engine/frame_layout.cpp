#include "document/variable_text.h"
#include "engine/graph_layout.h"

namespace tivora::engine {

// Not laid out yet: being built.
GraphFrame layoutFrame(const VariableText&, Scene&) {
    return {QRectF(QPointF(0, 0), kStageSize), 1.0, {}};
}

} // namespace tivora::engine
