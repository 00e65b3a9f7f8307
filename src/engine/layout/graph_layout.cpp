#include "engine/layout/graph_layout.h"

#include "document/graph_keys.h"
#include "document/variable_text.h"

namespace tivora::engine {

Scene layoutGraph(const VariableText& text, const QDir& movieFolder) {
    Scene scene;
    const GraphFrame frame = layoutFrame(text, scene);
    if (text.encodedValueAlias(keys::kGraphTypeLong, keys::kGraphType).toUpper() == "PIE") {
        layoutPieGraph(text, frame, movieFolder, scene);
    } else {
        layoutBackdrop(text, frame, movieFolder, scene);
        layoutSeriesGraph(text, frame, scene);
    }
    layoutNotes(text, scene);
    return scene;
}

} // namespace tivora::engine
