#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/notes/note_data.h"
#include "engine/notes/note_node.h"
#include "engine/scene/group_node.h"
#include "engine/scene/raster_cache_node.h"

namespace tivora::engine {
namespace {

// Notes come in one after another once the graph has started to draw.
constexpr Millis kFirstNoteAt = 600.0;
constexpr Millis kNoteStep = 180.0;

} // namespace

void layoutNotes(const VariableText& text, Scene& scene) {
    const std::vector<NoteData> notes = NoteData::readAll(text);
    if (notes.empty())
        return;
    auto group = std::make_unique<GroupNode>(QTransform());
    for (std::size_t i = 0; i < notes.size(); ++i)
        group->add(std::make_unique<NoteNode>(notes[i], kFirstNoteAt + kNoteStep * double(i)));
    scene.add(Layer::Annotation, std::make_unique<RasterCacheNode>(
                                     std::move(group), QRectF(QPointF(0, 0), kStageSize)));
}

} // namespace tivora::engine
